#include "model/CodePage.h"

namespace tappling {

bool isCp932LeadByte(uint8_t byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

std::string toUpperMultibyte(std::string_view text, const CodePage& codePage) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<uint8_t>(out[i]);
        if (codePage.isLeadByte(byte)) {
            ++i;  // the trail byte may look like a letter
        } else if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 'a' + 'A');
        }
    }
    return out;
}

size_t lastPathSeparator(std::string_view path, const CodePage& codePage) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (codePage.isLeadByte(static_cast<uint8_t>(path[i])) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\')
            last = i;
    }
    return last;
}

std::string trimTrailingWhitespace(std::string_view text, const CodePage& codePage) {
    // Walk forward so a trail byte is never taken for a character of its own.
    size_t keep = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (codePage.isLeadByte(byte) && i + 1 < text.size()) {
            ++i;
            keep = i + 1;
        } else if (byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n') {
            keep = i + 1;
        }
    }
    return std::string(text.substr(0, keep));
}

}  // namespace tappling
