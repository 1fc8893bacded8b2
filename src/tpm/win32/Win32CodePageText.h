// The system ANSI code page (CP_ACP), with the UTF-8 conversions of the text form.
#pragma once

#include "textform/CodePageText.h"

namespace tappling {

class Win32CodePageText final : public CodePageText {
public:
    bool isLeadByte(uint8_t byte) const override;
    std::string fromUtf16(std::u16string_view text) const override;
    std::optional<std::string> toUtf8(std::string_view bytes) const override;
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;
};

}  // namespace tappling
