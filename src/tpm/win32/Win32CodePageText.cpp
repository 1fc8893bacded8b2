#include "tpm/win32/Win32CodePageText.h"

#include <windows.h>

#include "model/win32/Win32CodePage.h"

namespace tappling {

namespace {

// Strict: invalid input gives nullopt instead of replacement characters.
std::optional<std::wstring> toWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int n = static_cast<int>(bytes.size());
    const int chars = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
    if (chars <= 0) return std::nullopt;
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), n, out.data(), chars);
    return out;
}

}  // namespace

bool Win32CodePageText::isLeadByte(uint8_t byte) const { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

std::string Win32CodePageText::fromUtf16(std::u16string_view text) const { return Win32CodePage().fromUtf16(text); }

std::optional<std::string> Win32CodePageText::toUtf8(std::string_view bytes) const {
    const std::optional<std::wstring> wide = toWide(CP_ACP, bytes);
    if (!wide) return std::nullopt;
    return wideToUtf8(*wide);
}

std::optional<std::string> Win32CodePageText::fromUtf8(std::string_view utf8) const {
    const std::optional<std::wstring> wide = toWide(CP_UTF8, utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const int n = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), n, nullptr, 0, nullptr,
                                          &usedDefault);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), n, out.data(), bytes, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

}  // namespace tappling
