// Code page 932 as far as the installer's texts need it: the real lead-byte ranges and
// the katakana and kanji of the verb captions.
#pragma once

#include <map>
#include <string>

#include "model/CodePage.h"

namespace tappling::installer {

class Cp932TestCodePage : public CodePage {
public:
    bool isLeadByte(uint8_t byte) const override { return isCp932LeadByte(byte); }

    std::string fromUtf16(std::u16string_view text) const override {
        static const std::map<char16_t, std::string> table = {
            {u'ラ', "\x83\x89"}, {u'ン', "\x83\x93"}, {u'ダ', "\x83\x5F"}, {u'ム', "\x83\x80"},
            {u'自', "\x8E\xA9"}, {u'動', "\x93\xAE"}, {u'実', "\x8E\xC0"}, {u'行', "\x8D\x73"},
        };
        std::string bytes;
        for (char16_t c : text) {
            if (c < 0x80) {
                bytes += static_cast<char>(c);
            } else if (auto found = table.find(c); found != table.end()) {
                bytes += found->second;
            } else {
                bytes += '?';
            }
        }
        return bytes;
    }
};

}  // namespace tappling::installer
