// An in-memory file system with Windows path rules: "C:\dir\name", names matched without
// regard to ASCII case, relative paths resolved against a current directory.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "model/FileAccess.h"

namespace tappling {

class FakeFileAccess final : public FileAccess {
public:
    std::string currentDirectory = "C:\\work\\";  // with its separator
    bool failWrites = false;          // the next writes fail before anything is replaced
    bool failOpen = false;            // opening for reading fails
    int64_t ioErrorAfter = -1;        // reads fail once this many bytes have been read
    std::map<std::string, std::string> files;  // full path as stored on disk -> content
    int writeCount = 0;

    void put(const std::string& fullPath, std::string content) { files[fullPath] = std::move(content); }
    const std::string* content(const std::string& fullPath) const {
        auto found = files.find(fullPath);
        return found == files.end() ? nullptr : &found->second;
    }

    DirectorySearch search(const std::string& path) override {
        DirectorySearch result;
        const std::string full = absolute(path);
        const size_t cut = full.rfind('\\') + 1;
        result.directory = full.substr(0, cut);
        for (const auto& [stored, bytes] : files) {
            if (sameIgnoringCase(stored, full)) result.names.push_back(stored.substr(stored.rfind('\\') + 1));
        }
        return result;
    }

    std::unique_ptr<InputFile> openForReading(const std::string& path, std::string& errorText) override {
        const std::string* found = findIgnoringCase(absolute(path));
        if (!found || failOpen) {
            errorText = "cannot open " + path;
            return nullptr;
        }
        return std::make_unique<MemoryFile>(*found, ioErrorAfter);
    }

    bool writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) override {
        if (failWrites) {
            errorText = "disk full";
            return false;
        }
        ++writeCount;
        const std::string full = absolute(path);
        for (auto& [stored, old] : files) {
            if (sameIgnoringCase(stored, full)) {
                old.assign(bytes);  // keeps the name as stored, as a replace does
                return true;
            }
        }
        files[full] = std::string(bytes);
        return true;
    }

private:
    class MemoryFile final : public InputFile {
    public:
        MemoryFile(std::string bytes, int64_t ioErrorAfter) : bytes_(std::move(bytes)), ioErrorAfter_(ioErrorAfter) {}
        uint64_t size() const override { return bytes_.size(); }
        int64_t read(char* buffer, size_t maxBytes) override {
            if (ioErrorAfter_ >= 0 && static_cast<int64_t>(offset_) >= ioErrorAfter_) return -1;
            size_t n = std::min(maxBytes, bytes_.size() - offset_);
            if (ioErrorAfter_ >= 0) n = std::min(n, static_cast<size_t>(ioErrorAfter_) - offset_);
            std::memcpy(buffer, bytes_.data() + offset_, n);
            offset_ += n;
            return static_cast<int64_t>(n);
        }

    private:
        std::string bytes_;
        int64_t ioErrorAfter_;
        size_t offset_ = 0;
    };

    std::string absolute(const std::string& path) const {
        if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return path;
        return currentDirectory + path;
    }

    static bool sameIgnoringCase(const std::string& a, const std::string& b) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
    }

    const std::string* findIgnoringCase(const std::string& full) const {
        for (const auto& [stored, bytes] : files)
            if (sameIgnoringCase(stored, full)) return &bytes;
        return nullptr;
    }
};

}  // namespace tappling
