// The system ANSI code page, as the portable code needs it: user data (texts, paths)
// are byte strings in that code page. Code page 932 is the tested default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tappling {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual bool isLeadByte(uint8_t byte) const = 0;
    // UTF-16 text to the code page; characters it cannot hold become '?'.
    virtual std::string fromUtf16(std::u16string_view text) const = 0;
};

// Lead bytes of code page 932 (Shift_JIS): 0x81-0x9F and 0xE0-0xFC.
bool isCp932LeadByte(uint8_t byte);

// Upper-cases ASCII letters only, stepping over double-byte characters whole.
std::string toUpperMultibyte(std::string_view text, const CodePage& codePage);

// The offset of the last '\\' of a path, stepping over double-byte characters whole (a
// trail byte may be 0x5C); npos when there is none.
size_t lastPathSeparator(std::string_view path, const CodePage& codePage);

// Removes trailing blanks, tabs, CR and LF without cutting a double-byte character.
std::string trimTrailingWhitespace(std::string_view text, const CodePage& codePage);

}  // namespace tappling
