// Code page 932 for the native tests: the lead-byte table and glibc's iconv converter.
#pragma once

#include <iconv.h>

#include <string>

#include "model/CodePage.h"

namespace tappling {

class Cp932CodePage final : public CodePage {
public:
    Cp932CodePage() : converter_(iconv_open("CP932", "UTF-16LE")) {}
    ~Cp932CodePage() override {
        if (converter_ != reinterpret_cast<iconv_t>(-1)) iconv_close(converter_);
    }
    Cp932CodePage(const Cp932CodePage&) = delete;
    Cp932CodePage& operator=(const Cp932CodePage&) = delete;

    bool isLeadByte(uint8_t byte) const override { return isCp932LeadByte(byte); }

    // One character at a time, so a character the code page lacks becomes '?' alone.
    std::string fromUtf16(std::u16string_view text) const override {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            size_t units = 1;
            if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size()) units = 2;
            char in[4] = {};
            for (size_t u = 0; u < units; ++u) {
                in[2 * u] = static_cast<char>(text[i + u] & 0xFF);
                in[2 * u + 1] = static_cast<char>(text[i + u] >> 8);
            }
            char buffer[8];
            char* inPtr = in;
            char* outPtr = buffer;
            size_t inLeft = 2 * units;
            size_t outLeft = sizeof buffer;
            iconv(converter_, nullptr, nullptr, nullptr, nullptr);
            if (iconv(converter_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
                out.push_back('?');
            else
                out.append(buffer, outPtr);
            i += units - 1;
        }
        return out;
    }

private:
    iconv_t converter_;
};

}  // namespace tappling
