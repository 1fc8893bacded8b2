#include "installer/win32/Win32Registry.h"

namespace tappling::installer {
namespace {

constexpr DWORD kReadBufferBytes = 256;

enum class KeyUse { Read, Write };

// An open registry key, closed when it goes out of scope. Opened for reading it must
// exist; opened for writing it is created when missing. Each asks only for the rights
// it needs: a process without elevation may read but not write the machine-wide classes.
class RegistryKey {
public:
    RegistryKey(HKEY root, const std::string& subKey, KeyUse use) {
        LONG status = ERROR_SUCCESS;
        if (use == KeyUse::Read) {
            status = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &handle_);
        } else {
            char emptyClass[] = "";
            status = RegCreateKeyExA(root, subKey.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, &handle_, nullptr);
        }
        if (status != ERROR_SUCCESS) handle_ = nullptr;
    }
    ~RegistryKey() {
        if (handle_) RegCloseKey(handle_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HKEY get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

}  // namespace

std::optional<std::string> Win32Registry::readDefault(const std::string& key) {
    RegistryKey opened(root_, prefix_ + key, KeyUse::Read);
    if (!opened) return std::nullopt;
    BYTE buffer[kReadBufferBytes] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(opened.get(), "", nullptr, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return std::nullopt;  // missing, unreadable, or longer than the buffer
    }
    // Up to the first NUL, but never past what was returned: stored data need not end in one.
    const char* text = reinterpret_cast<const char*>(buffer);
    std::string value(text, size);
    if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
    return value;
}

bool Win32Registry::writeDefault(const std::string& key, const std::string& text) {
    RegistryKey opened(root_, prefix_ + key, KeyUse::Write);
    if (!opened) return false;
    return RegSetValueExA(opened.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace tappling::installer
