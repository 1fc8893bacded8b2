#include "model/win32/Win32CodePage.h"

#include <windows.h>

namespace tappling {

namespace {

std::string fromWide(UINT codePage, const wchar_t* text, size_t length) {
    if (length == 0) return {};
    const int n = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(codePage, 0, text, n, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text, n, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

bool Win32CodePage::isLeadByte(uint8_t byte) const { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

std::string Win32CodePage::fromUtf16(std::u16string_view text) const {
    // Characters the code page lacks become the system default character ('?').
    return fromWide(CP_ACP, reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

std::wstring ansiToWide(std::string_view ansi) {
    if (ansi.empty()) return {};
    const int n = static_cast<int>(ansi.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    if (chars <= 0) return {};
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, out.data(), chars);
    return out;
}

std::string wideToAnsi(std::wstring_view wide) { return fromWide(CP_ACP, wide.data(), wide.size()); }

std::string wideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, wide.data(), wide.size()); }

}  // namespace tappling
