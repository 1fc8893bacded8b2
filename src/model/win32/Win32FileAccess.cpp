#include "model/win32/Win32FileAccess.h"

#include <windows.h>

#include "win32/Win32Text.h"

namespace tappling {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() {
        const bool ok = !valid() || CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

    HANDLE release() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    void reset() { close(); }
    HANDLE handle_;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

class Win32InputFile final : public InputFile {
public:
    Win32InputFile(HANDLE handle, uint64_t size) : handle_(handle), size_(size) {}
    uint64_t size() const override { return size_; }
    int64_t read(char* buffer, size_t maxBytes) override {
        DWORD got = 0;
        const DWORD wanted = maxBytes > 0x10000000 ? 0x10000000 : static_cast<DWORD>(maxBytes);
        if (!ReadFile(handle_.get(), buffer, wanted, &got, nullptr)) return -1;
        return got;
    }

private:
    FileHandle handle_;
    uint64_t size_;
};

// The path's absolute form and the length of its directory part (up to the separator).
bool fullPath(const std::string& path, std::string& full, size_t& directoryLength) {
    char* filePart = nullptr;
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return false;
    full.assign(needed, '\0');
    const DWORD written = GetFullPathNameA(path.c_str(), needed, full.data(), &filePart);
    if (written == 0 || written >= needed) return false;
    full.resize(written);
    directoryLength = filePart ? static_cast<size_t>(filePart - full.data()) : full.size();
    return true;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::string describeFileError(const char* what, const std::string& path, unsigned long errorCode) {
    std::string text = what;
    text += "\n";
    text += wideToUtf8(ansiToWide(path));
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length > 0 && message) {
        std::wstring_view view(message, length);
        while (!view.empty() && (view.back() == L'\r' || view.back() == L'\n' || view.back() == L' '))
            view.remove_suffix(1);
        text += '\n';
        text += wideToUtf8(view);
    }
    if (message) LocalFree(message);
    return text;
}

DirectorySearch Win32FileAccess::search(const std::string& path) {
    DirectorySearch result;
    std::string full;
    size_t directoryLength = 0;
    if (!fullPath(path, full, directoryLength)) return result;
    result.directory = full.substr(0, directoryLength);
    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA(path.c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) return result;
    do {
        result.names.emplace_back(data.cFileName);
    } while (FindNextFileA(find.get(), &data));
    return result;
}

std::unique_ptr<InputFile> Win32FileAccess::openForReading(const std::string& path, std::string& errorText) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errorText = describeFileError("ファイルを開けません。", path, GetLastError());
        return nullptr;
    }
    FileHandle owned(handle);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        errorText = describeFileError("ファイルを読み込めません。", path, GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32InputFile>(owned.release(), static_cast<uint64_t>(size.QuadPart));
}

bool Win32FileAccess::writeAtomically(const std::string& path, std::string_view bytes, std::string& errorText) {
    // The new content goes to a temporary file beside the target, which then replaces
    // the target in one step: a failure at any point leaves the old file as it was.
    std::string full;
    size_t directoryLength = 0;
    if (!fullPath(path, full, directoryLength)) {
        errorText = describeFileError("ファイルを保存できません。", path, GetLastError());
        return false;
    }
    std::string temporary;
    for (unsigned attempt = 0; attempt < 100 && temporary.empty(); ++attempt) {
        std::string candidate = full + ".~" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(attempt);
        FileHandle probe(CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
        if (probe.valid()) {
            const bool ok = writeAll(probe.get(), bytes) && FlushFileBuffers(probe.get());
            const DWORD error = GetLastError();
            if (!probe.close() || !ok) {
                DeleteFileA(candidate.c_str());
                errorText = describeFileError("ファイルを保存できません。", path, ok ? GetLastError() : error);
                return false;
            }
            temporary = std::move(candidate);
        } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            errorText = describeFileError("ファイルを保存できません。", path, GetLastError());
            return false;
        }
    }
    if (temporary.empty()) {
        errorText = describeFileError("ファイルを保存できません。", path, ERROR_FILE_EXISTS);
        return false;
    }
    if (!MoveFileExA(temporary.c_str(), full.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        errorText = describeFileError("ファイルを保存できません。", path, error);
        return false;
    }
    return true;
}

}  // namespace tappling
