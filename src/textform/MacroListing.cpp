#include "textform/MacroListing.h"

#include <algorithm>
#include <vector>

#include "ui/logic/ListRows.h"

namespace tappling {

namespace {

bool isWide(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD) || c == 0x25CB || c == 0x25A0;  // ○ and ■ are wide in Japanese fonts
}

// Comment cells are code-page bytes: shown in UTF-8, bytes that are no character as "?".
std::string commentText(std::string_view bytes, const CodePageText& codePage) {
    if (std::optional<std::string> utf8 = wholeUtf8(bytes, codePage)) {
        for (char& c : *utf8)
            if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) c = '?';
        return std::move(*utf8);
    }
    std::string out;
    forEachCharacter(bytes, codePage, [&](const CodePageCharacter& c) {
        const bool control = static_cast<uint8_t>(c.bytes[0]) < 0x20 || c.bytes[0] == 0x7F;
        out += c.utf8 && !control ? *c.utf8 : std::string("?");
    });
    return out;
}

}  // namespace

size_t displayWidth(std::string_view utf8) {
    size_t width = 0;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<uint8_t>(utf8[i]) < 0x80) {  // most cells are ASCII
            ++width;
            ++i;
            continue;
        }
        const auto lead = static_cast<uint8_t>(utf8[i]);
        size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, utf8.size() - i);
        uint32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
        width += isWide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string listMacro(const Macro& macro, int32_t version, const CodePageText& codePage) {
    using Row = std::array<std::string, kListColumnCount>;
    const auto& records = macro.actions.records();
    std::vector<Row> rows;
    rows.reserve(records.size() + 1);
    Row& titles = rows.emplace_back();
    for (size_t c = 0; c < kListColumns.size(); ++c) titles[c] = std::string(kListColumns[c].title);
    for (size_t i = 0; i < records.size(); ++i) {
        Row& cells = rows.emplace_back(rowTexts(records[i], static_cast<int32_t>(i)));
        cells[kCommentColumn] = commentText(cells[kCommentColumn], codePage);
    }
    std::array<size_t, kListColumnCount> widths{};
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));

    std::string out = "version " + std::to_string(version) + "  ループ " + (macro.loopEnabled == 1 ? "on" : "off") +
                      "  MAX " + (macro.loopLimited == 1 ? "on" : "off") + "  " + std::to_string(macro.loopCount) +
                      "\n";
    size_t lineWidth = 0;
    for (size_t width : widths) lineWidth += width + 2;
    out.reserve(out.size() + rows.size() * (lineWidth + 8));
    for (const auto& row : rows) {
        size_t used = row.size();  // no blanks after the last cell that shows something
        while (used > 0 && row[used - 1].empty()) --used;
        for (size_t c = 0; c < used; ++c) {
            out += row[c];
            if (c + 1 < used) out.append(widths[c] - displayWidth(row[c]) + 2, ' ');
        }
        out += '\n';
    }
    return out;
}

}  // namespace tappling
