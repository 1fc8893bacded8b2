#include "tpm/win32/Win32TpmFiles.h"

#include <windows.h>

#include <algorithm>

#include "model/win32/Win32FileAccess.h"
#include "win32/Win32Text.h"

namespace tappling {

namespace {

class HandleInput final : public InputFile {
public:
    HandleInput(HANDLE handle, bool owned, uint64_t size) : handle_(handle), owned_(owned), size_(size) {}
    ~HandleInput() override {
        if (owned_) CloseHandle(handle_);
    }
    HandleInput(const HandleInput&) = delete;
    HandleInput& operator=(const HandleInput&) = delete;
    uint64_t size() const override { return size_; }
    int64_t read(char* buffer, size_t maxBytes) override {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(maxBytes, 1u << 20));
        if (ReadFile(handle_, buffer, want, &got, nullptr)) return got;
        // A pipe whose writer has closed reports the end this way.
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    }

private:
    HANDLE handle_;
    bool owned_;
    uint64_t size_;
};

// The system's text for an error code, in UTF-8.
std::string systemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", length);
    if (text) LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ')) wide.pop_back();
    if (wide.empty()) return "error " + std::to_string(error);
    return wideToUtf8(wide);
}

struct Described {
    bool disk = false;
    bool directory = false;
    uint64_t size = 0;
    FileIdentity identity;
};

Described describe(HANDLE handle) {
    Described d;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)) return d;
    d.disk = true;
    d.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    d.size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    d.identity = {info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return d;
}

OpenedInput opened(HANDLE handle, bool owned, std::string& errorText) {
    const Described d = describe(handle);
    if (d.directory) {
        errorText = "is a directory";
        if (owned) CloseHandle(handle);
        return {};
    }
    if (!d.disk) return {std::make_unique<HandleInput>(handle, owned, kUnknownSize), std::nullopt};
    return {std::make_unique<HandleInput>(handle, owned, d.size), d.identity};
}

}  // namespace

OpenedInput Win32TpmFiles::openInput(const std::string& path, std::string& errorText) {
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errorText = systemText(GetLastError());
        return {};
    }
    return opened(handle, true, errorText);
}

OpenedInput Win32TpmFiles::standardInput() {
    const HANDLE handle = GetStdHandle(STD_INPUT_HANDLE);
    std::string ignored;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return {};
    return opened(handle, false, ignored);
}

OutputTarget Win32TpmFiles::inspectOutput(const std::string& path) {
    const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    const Described d = describe(handle);
    CloseHandle(handle);
    if (!d.disk || d.directory) return {OutputKind::NotRegular, std::nullopt};
    return {OutputKind::Regular, d.identity};
}

bool Win32TpmFiles::replaceFile(const std::string& path, std::string_view bytes, std::string& errorText) {
    return Win32FileAccess().writeAtomically(path, bytes, errorText);
}

}  // namespace tappling
