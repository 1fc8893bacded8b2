#include "textform/TextFormPrinter.h"

#include <cstdio>

#include "textform/TextFormFields.h"

namespace tappling {

namespace {

void appendHexByte(std::string& out, uint8_t byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    out += buffer;
}

void appendField(std::string& out, std::string_view name, FieldKind kind, int32_t value, int32_t defaultValue,
                 int64_t position) {
    if (kind == FieldKind::Target) {
        // Shown as the absolute action number the dialogs show: stored + row number.
        if (value == defaultValue) return;
        out += ' ';
        out += name;
        out += '=';
        out += std::to_string(int64_t{value} + position + 1);
        return;
    }
    if (value == defaultValue) return;
    out += ' ';
    out += name;
    if (kind == FieldKind::Flag && value == 1) return;
    out += '=';
    if (kind == FieldKind::Colour) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(static_cast<uint32_t>(value)));
        out += buffer;
    } else {
        out += std::to_string(value);
    }
}

}  // namespace

std::string quoteText(std::string_view bytes, const CodePageText& codePage) {
    std::string out = "\"";
    forEachCharacter(bytes, codePage, [&](const CodePageCharacter& c) {
        if (!c.utf8) {
            for (char byte : c.bytes) appendHexByte(out, static_cast<uint8_t>(byte));
            return;
        }
        const auto first = static_cast<uint8_t>(c.bytes[0]);
        switch (first) {
            case '"': out += "\\\""; return;
            case '\\': out += "\\\\"; return;
            case '\n': out += "\\n"; return;
            case '\r': out += "\\r"; return;
            case '\t': out += "\\t"; return;
            default:
                if (first < 0x20 || first == 0x7F)
                    appendHexByte(out, first);
                else
                    out += *c.utf8;
        }
    });
    out += '"';
    return out;
}

std::string printTextForm(const Macro& macro, const CodePageText& codePage) {
    const Macro defaults;
    std::string out(kMacroKeyword);
    for (const MacroField& field : macroFields())
        appendField(out, field.name, field.kind, macro.*field.value, defaults.*field.value, 0);
    out += '\n';

    const ActionRecord blank = makeDefaultRecord();
    const auto& records = macro.actions.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const ActionRecord& record = records[i];
        const std::string_view keyword = typeKeyword(record.actionType);
        std::string line = keyword.empty() ? std::to_string(code(record.actionType)) : std::string(keyword);
        for (const RecordField& field : recordFields()) {
            if (field.kind == FieldKind::Text) {
                const std::string& text = record.*field.text;
                if (text.empty()) continue;
                line += ' ';
                line += field.name;
                line += '=';
                line += quoteText(text, codePage);
            } else {
                appendField(line, field.name, field.kind, record.*field.number, blank.*field.number,
                            static_cast<int64_t>(i));
            }
        }
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace tappling
