#include "textform/TextEncoding.h"

#include <cstdio>

namespace tappling {

size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<uint8_t>(text[0]);
    size_t length = 0;
    uint32_t value = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, value = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, value = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, value = lead & 0x07;
    else return 0;
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if ((byte & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<uint8_t>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = utf8SequenceLength(text.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::optional<std::string> foreignEncoding(std::string_view bytes, const CodePageText& codePage,
                                           std::string_view codePageName) {
    if (bytes.starts_with("\xFF\xFE")) return "UTF-16 (little-endian, with a byte order mark)";
    if (bytes.starts_with("\xFE\xFF")) return "UTF-16 (big-endian, with a byte order mark)";
    // A text form never holds a NUL; in UTF-16 every ASCII character brings one, on the odd
    // bytes in little-endian order and on the even ones in big-endian order.
    size_t evenNuls = 0;
    size_t oddNuls = 0;
    for (size_t i = 0; i < bytes.size() && i < 4096; ++i)
        if (bytes[i] == '\0') ++(i % 2 == 0 ? evenNuls : oddNuls);
    if (evenNuls + oddNuls > 0)
        return oddNuls >= evenNuls ? "UTF-16 (little-endian, without a byte order mark)"
                                   : "UTF-16 (big-endian, without a byte order mark)";
    if (!isValidUtf8(bytes) && codePage.toUtf8(bytes)) return std::string(codePageName);
    return std::nullopt;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<uint8_t>(text[i]);
        const size_t length = byte < 0x20 || byte == 0x7F ? 0 : utf8SequenceLength(text.substr(i));
        if (length == 0) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace tappling
