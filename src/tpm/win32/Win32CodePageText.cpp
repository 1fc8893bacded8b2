#include "tpm/win32/Win32CodePageText.h"

#include <windows.h>

#include "win32/Win32Text.h"

namespace tappling {

bool Win32CodePageText::isLeadByte(uint8_t byte) const { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

std::string Win32CodePageText::fromUtf16(std::u16string_view text) const {
    return wideToAnsi(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

std::optional<std::string> Win32CodePageText::toUtf8(std::string_view bytes) const {
    const std::optional<std::wstring> wide = ansiToWideExactly(bytes);
    if (!wide) return std::nullopt;
    return wideToUtf8(*wide);
}

std::optional<std::string> Win32CodePageText::fromUtf8(std::string_view utf8) const {
    const std::optional<std::wstring> wide = utf8ToWideExactly(utf8);
    if (!wide) return std::nullopt;
    return wideToAnsiExactly(*wide);
}

}  // namespace tappling
