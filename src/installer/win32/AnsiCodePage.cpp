#include "installer/win32/AnsiCodePage.h"

#include <windows.h>

namespace tappling::installer {

bool AnsiCodePage::isLeadByte(uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

std::string AnsiCodePage::fromUtf16(std::u16string_view text) const {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, converted.data(), bytes, nullptr, nullptr);
    return converted;
}

}  // namespace tappling::installer
