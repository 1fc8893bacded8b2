// Code page 932 through glibc's iconv, for the native tool and tests.
#pragma once

#include <iconv.h>

#include "textform/CodePageText.h"

namespace tappling {

class IconvCodePage final : public CodePageText {
public:
    IconvCodePage();
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    bool usable() const;
    bool isLeadByte(uint8_t byte) const override { return isCp932LeadByte(byte); }
    std::string fromUtf16(std::u16string_view text) const override;
    std::optional<std::string> toUtf8(std::string_view bytes) const override;
    std::optional<std::string> fromUtf8(std::string_view utf8) const override;

private:
    iconv_t toUtf8_;
    iconv_t fromUtf8_;
    iconv_t fromUtf16_;
};

}  // namespace tappling
