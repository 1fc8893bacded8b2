#include "engine/win32/Win32SystemPower.h"

#include <windows.h>

namespace tappling {

namespace {

class TokenHandle {
public:
    TokenHandle() = default;
    ~TokenHandle() {
        if (h_) CloseHandle(h_);
    }
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    HANDLE* out() { return &h_; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_ = nullptr;
};

constexpr DWORD kPlatformNt = 2;
constexpr UINT kShutdownForce = 5;  // EWX_SHUTDOWN | EWX_FORCE
constexpr UINT kReboot = 2;         // older platforms

}  // namespace

void Win32SystemPower::shutdown() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = 148;  // sizeof(OSVERSIONINFOA)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return;
#pragma GCC diagnostic pop

    if (version.dwPlatformId == kPlatformNt) {
        TokenHandle token;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.out())) return;
        TOKEN_PRIVILEGES privileges{};
        LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
        if (GetLastError() != 0) return;
        ExitWindowsEx(kShutdownForce, 0);
    } else if (version.dwPlatformId == 0 || version.dwPlatformId == 1) {
        ExitWindowsEx(kReboot, 0);
    }
}

}  // namespace tappling
