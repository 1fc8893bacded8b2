#include "installer/win32/ModulePath.h"

#include <windows.h>

namespace tappling::installer {
namespace {
constexpr DWORD kPathBufferBytes = 780;
}

std::optional<std::string> ownModulePath() {
    char buffer[kPathBufferBytes] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, kPathBufferBytes);
    if (length == 0 || length >= kPathBufferBytes) return std::nullopt;
    return std::string(buffer, length);
}

}  // namespace tappling::installer
