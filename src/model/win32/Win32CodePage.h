// The system ANSI code page (CP_ACP).
#pragma once

#include "model/CodePage.h"

namespace tappling {

class Win32CodePage final : public CodePage {
public:
    bool isLeadByte(uint8_t byte) const override;
    std::string fromUtf16(std::u16string_view text) const override;
};

// Conversions at the Win32 boundary.
std::wstring ansiToWide(std::string_view ansi);
std::string wideToAnsi(std::wstring_view wide);
std::string wideToUtf8(std::wstring_view wide);

}  // namespace tappling
