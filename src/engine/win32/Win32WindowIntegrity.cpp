#include "engine/win32/Win32WindowIntegrity.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "win32/Win32Text.h"

namespace tappling {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// The RID of the token's mandatory label (untrusted 0 … system 0x4000).
std::optional<uint32_t> tokenIntegrity(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    PSID sid = label->Label.Sid;
    if (sid == nullptr || !IsValidSid(sid)) return std::nullopt;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return static_cast<uint32_t>(*GetSidSubAuthority(sid, count - 1u));
}

std::optional<uint32_t> processIntegrity(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    const OwnedHandle owned(token);
    return tokenIntegrity(token);
}

}  // namespace

uintptr_t Win32WindowIntegrity::foregroundWindow() { return reinterpret_cast<uintptr_t>(GetForegroundWindow()); }

std::optional<uint32_t> Win32WindowIntegrity::windowIntegrity(uintptr_t window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
    if (processId == 0) return std::nullopt;
    const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return std::nullopt;
    return processIntegrity(process.get());
}

std::optional<uint32_t> Win32WindowIntegrity::ownIntegrity() { return processIntegrity(GetCurrentProcess()); }

std::string Win32WindowIntegrity::windowTitle(uintptr_t window) {
    wchar_t title[256] = {};
    const int length = GetWindowTextW(reinterpret_cast<HWND>(window), title, 256);
    if (length <= 0) return {};
    return wideToUtf8(std::wstring_view(title, static_cast<size_t>(length)));
}

}  // namespace tappling
