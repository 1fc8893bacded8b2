#include "win32/Win32Text.h"

#include <windows.h>

namespace tappling {

namespace {

std::optional<std::wstring> toWide(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int n = static_cast<int>(bytes.size());
    const int chars = MultiByteToWideChar(codePage, flags, bytes.data(), n, nullptr, 0);
    if (chars <= 0) return std::nullopt;
    std::wstring out(static_cast<size_t>(chars), L'\0');
    if (MultiByteToWideChar(codePage, flags, bytes.data(), n, out.data(), chars) != chars) return std::nullopt;
    return out;
}

// UTF-8 takes neither flags nor the used-default flag, and cannot lose a character.
std::optional<std::string> fromWide(UINT codePage, bool exactly, std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int n = static_cast<int>(wide.size());
    const DWORD flags = exactly ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* lossy = exactly ? &usedDefault : nullptr;
    const int bytes = WideCharToMultiByte(codePage, flags, wide.data(), n, nullptr, 0, nullptr, lossy);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), n, out.data(), bytes, nullptr, lossy) != bytes ||
        usedDefault)
        return std::nullopt;
    return out;
}

}  // namespace

std::wstring ansiToWide(std::string_view ansi) { return toWide(CP_ACP, 0, ansi).value_or(std::wstring()); }
std::wstring utf8ToWide(std::string_view utf8) { return toWide(CP_UTF8, 0, utf8).value_or(std::wstring()); }
std::string wideToAnsi(std::wstring_view wide) { return fromWide(CP_ACP, false, wide).value_or(std::string()); }
std::string wideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, false, wide).value_or(std::string()); }

std::optional<std::wstring> ansiToWideExactly(std::string_view ansi) {
    return toWide(CP_ACP, MB_ERR_INVALID_CHARS, ansi);
}
std::optional<std::wstring> utf8ToWideExactly(std::string_view utf8) {
    return toWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
}
std::optional<std::string> wideToAnsiExactly(std::wstring_view wide) { return fromWide(CP_ACP, true, wide); }

bool fitsAnsiCodePage(std::wstring_view wide) { return wideToAnsiExactly(wide).has_value(); }

}  // namespace tappling
