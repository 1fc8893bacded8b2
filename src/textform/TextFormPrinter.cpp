#include "textform/TextFormPrinter.h"

#include <cstdio>
#include <vector>

#include "textform/TextFormFields.h"

namespace tappling {

namespace {

void appendHexByte(std::string& out, uint8_t byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
    out += buffer;
}

// The action (0-based) a target field leads to.
int64_t targetOf(int32_t relative, int64_t position) { return int64_t{relative} + position; }

// A jump target inside the list other than the action itself gets a label in labelled output.
bool wantsLabel(int64_t target, int64_t position, int64_t size) {
    return target >= 0 && target < size && target != position;
}

void appendLabelName(std::string& out, int64_t target) {
    out += "@L";
    out += std::to_string(target + 1);
}

void appendField(std::string& out, std::string_view name, FieldKind kind, int32_t value, int32_t defaultValue,
                 int64_t position, int64_t labelledSize) {
    if (kind == FieldKind::Target) {
        // Shown as the absolute action number the dialogs show: stored + row number.
        if (value == defaultValue) return;
        out += ' ';
        out += name;
        out += '=';
        const int64_t target = targetOf(value, position);
        if (wantsLabel(target, position, labelledSize))
            appendLabelName(out, target);
        else
            out += std::to_string(target + 1);
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

// The escapes of the ASCII characters a quoted text cannot hold as they are; false for the rest.
static bool appendEscaped(std::string& out, uint8_t c) {
    switch (c) {
        case '"': out += "\\\""; return true;
        case '\\': out += "\\\\"; return true;
        case '\n': out += "\\n"; return true;
        case '\r': out += "\\r"; return true;
        case '\t': out += "\\t"; return true;
        default:
            if (c >= 0x20 && c != 0x7F) return false;
            appendHexByte(out, c);
            return true;
    }
}

std::string quoteText(std::string_view bytes, const CodePageText& codePage) {
    std::string out = "\"";
    if (const std::optional<std::string> utf8 = wholeUtf8(bytes, codePage)) {
        for (char c : *utf8)
            if (!appendEscaped(out, static_cast<uint8_t>(c))) out += c;
        out += '"';
        return out;
    }
    forEachCharacter(bytes, codePage, [&](const CodePageCharacter& c) {
        if (!c.utf8) {
            for (char byte : c.bytes) appendHexByte(out, static_cast<uint8_t>(byte));
            return;
        }
        if (!appendEscaped(out, static_cast<uint8_t>(c.bytes[0]))) out += *c.utf8;
    });
    out += '"';
    return out;
}

namespace {

// Which actions some written jump field of another action leads to.
std::vector<bool> labelledActions(const Macro& macro) {
    const ActionRecord blank = makeDefaultRecord();
    const auto& records = macro.actions.records();
    const auto size = static_cast<int64_t>(records.size());
    std::vector<bool> labelled(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        for (const RecordField& field : recordFields()) {
            if (field.kind != FieldKind::Target || records[i].*field.number == blank.*field.number) continue;
            const int64_t target = targetOf(records[i].*field.number, static_cast<int64_t>(i));
            if (wantsLabel(target, static_cast<int64_t>(i), size)) labelled[static_cast<size_t>(target)] = true;
        }
    }
    return labelled;
}

}  // namespace

std::string printTextForm(const Macro& macro, const CodePageText& codePage, TextFormStyle style) {
    const Macro defaults;
    std::string out(kMacroKeyword);
    for (const MacroField& field : macroFields())
        appendField(out, field.name, field.kind, macro.*field.value, defaults.*field.value, 0, 0);
    out += '\n';

    const ActionRecord blank = makeDefaultRecord();
    const auto& records = macro.actions.records();
    const std::vector<bool> labelled = style == TextFormStyle::Labels ? labelledActions(macro) : std::vector<bool>();
    const int64_t labelledSize = labelled.empty() ? 0 : static_cast<int64_t>(records.size());
    out.reserve(records.size() * 48);
    std::string line;
    for (size_t i = 0; i < records.size(); ++i) {
        const ActionRecord& record = records[i];
        const std::string_view keyword = typeKeyword(record.actionType);
        line.clear();
        if (!labelled.empty() && labelled[i]) {
            appendLabelName(line, static_cast<int64_t>(i));
            line += ' ';
        }
        line += keyword.empty() ? std::to_string(code(record.actionType)) : std::string(keyword);
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
                            static_cast<int64_t>(i), labelledSize);
            }
        }
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace tappling
