// The code page of the macro's texts, as the text form needs it: the text form is UTF-8,
// the macro keeps code-page bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/CodePage.h"

namespace tappling {

class CodePageText : public CodePage {
public:
    // Code-page bytes to UTF-8; nullopt when they are not characters of the code page.
    virtual std::optional<std::string> toUtf8(std::string_view bytes) const = 0;
    // UTF-8 to code-page bytes; nullopt when the UTF-8 is invalid or a character has no
    // place in the code page (no best-fit replacement).
    virtual std::optional<std::string> fromUtf8(std::string_view utf8) const = 0;
};

// The whole text in UTF-8 when it is ASCII or comes back to the same bytes as a whole
// (then every character of it does); nullopt when it must be looked at character by
// character. A fast path: one conversion instead of two per character.
inline std::optional<std::string> wholeUtf8(std::string_view bytes, const CodePageText& codePage) {
    bool ascii = true;
    for (char c : bytes) ascii = ascii && static_cast<uint8_t>(c) < 0x80;
    if (ascii) return std::string(bytes);
    std::optional<std::string> utf8 = codePage.toUtf8(bytes);
    if (!utf8 || codePage.fromUtf8(*utf8) != std::optional<std::string>(std::string(bytes))) return std::nullopt;
    return utf8;
}

// The characters of code-page bytes, each either its UTF-8 form or, when it does not come
// back to the same bytes, nullopt. A lead byte at the end stands alone.
struct CodePageCharacter {
    std::string_view bytes;
    std::optional<std::string> utf8;
};
template <typename Visit>
void forEachCharacter(std::string_view bytes, const CodePageText& codePage, Visit visit) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t width = codePage.isLeadByte(static_cast<uint8_t>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        const std::string_view one = bytes.substr(i, width);
        if (static_cast<uint8_t>(one[0]) < 0x80) {  // ASCII is the same in the code page
            visit(CodePageCharacter{one, std::string(one)});
            ++i;
            continue;
        }
        std::optional<std::string> utf8 = codePage.toUtf8(one);
        if (utf8 && codePage.fromUtf8(*utf8) != std::optional<std::string>(std::string(one))) utf8.reset();
        visit(CodePageCharacter{one, std::move(utf8)});
        i += width;
    }
}

}  // namespace tappling
