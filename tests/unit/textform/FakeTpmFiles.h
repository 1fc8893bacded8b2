// tpm's file system over the in-memory one: identity by the name without regard to case
// (as on a Windows disk), scripted standard input, and paths that are devices.
#pragma once

#include <cctype>
#include <functional>
#include <set>

#include "fakes/FakeFileAccess.h"
#include "textform/TpmFileSystem.h"

namespace tappling {

class FakeTpmFiles final : public TpmFileSystem {
public:
    FakeFileAccess disk;
    std::string standardInputBytes;
    std::set<std::string> devices;  // full paths that are no regular files

    void put(const std::string& fullPath, std::string content) { disk.put(fullPath, std::move(content)); }
    const std::string* content(const std::string& fullPath) const { return disk.content(fullPath); }

    OpenedInput openInput(const std::string& path, std::string& errorText) override {
        std::unique_ptr<InputFile> file = disk.openForReading(path, errorText);
        if (!file) return {};
        return {std::move(file), identity(path)};
    }
    OpenedInput standardInput() override {
        std::string ignored;
        disk.put("C:\\work\\<stdin>", standardInputBytes);
        return {disk.openForReading("C:\\work\\<stdin>", ignored), std::nullopt};
    }
    OutputTarget inspectOutput(const std::string& path) override {
        if (devices.count(path)) return {OutputKind::NotRegular, std::nullopt};
        std::string ignored;
        if (!disk.openForReading(path, ignored)) return {};
        return {OutputKind::Regular, identity(path)};
    }
    bool replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) override {
        return disk.writeAtomically(path, bytes, errorText);
    }

private:
    static FileIdentity identity(std::string path) {
        for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (path.find(':') == std::string::npos) path = "c:\\work\\" + path;
        return {1, std::hash<std::string>()(path)};
    }
};

}  // namespace tappling
