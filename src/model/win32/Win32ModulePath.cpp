#include "model/win32/Win32ModulePath.h"

#include <windows.h>

#include <array>

#include "model/ModulePath.h"

namespace tappling {
namespace {
constexpr DWORD kPathBufferBytes = 780;  // MAX_PATH characters of up to three bytes, and more
}

std::optional<std::string> ownModulePath() {
    std::array<char, kPathBufferBytes> buffer{};
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), kPathBufferBytes);
    return completeModulePath(buffer.data(), kPathBufferBytes, length);
}

}  // namespace tappling
