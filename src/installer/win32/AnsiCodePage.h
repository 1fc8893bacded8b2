// The system ANSI code page, as the installer's plan needs it.
#pragma once

#include "model/CodePage.h"

namespace tappling::installer {

class AnsiCodePage : public CodePage {
public:
    bool isLeadByte(uint8_t byte) const override;
    std::string fromUtf16(std::u16string_view text) const override;
};

}  // namespace tappling::installer
