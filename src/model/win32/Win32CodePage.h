// The system ANSI code page (CP_ACP).
#pragma once

#include "model/CodePage.h"
#include "win32/Win32Text.h"

namespace tappling {

class Win32CodePage final : public CodePage {
public:
    bool isLeadByte(uint8_t byte) const override;
    std::string fromUtf16(std::u16string_view text) const override;
};

}  // namespace tappling
