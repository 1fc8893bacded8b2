#include "textform/TextFormParser.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>

#include "textform/TextEncoding.h"
#include "textform/TextFormFields.h"

namespace tappling {

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// Decimal or 0x-hexadecimal with an optional sign; nullopt when it is not a number.
// Values far beyond 32 bits are clamped, so range checks still see them as too large.
std::optional<int64_t> parseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > (int64_t{1} << 40)) value = int64_t{1} << 40;
    }
    return negative ? -value : value;
}

std::string quoted(std::string_view text) {
    std::string out(1, '"');
    out.append(text);
    out += '"';
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool endsWord(char c) { return isBlank(c) || c == '=' || c == '"' || c == '#'; }

bool isLabelName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Labels are resolved once every line is read, so a jump may name a label further down.
struct LabelUse {
    int32_t action;  // 0-based
    int32_t ActionRecord::*field;
    std::string name;
    int32_t line;
    int32_t column;
};
struct Labels {
    std::unordered_map<std::string, std::pair<int32_t, int32_t>> defined;  // name -> action (0-based), line
    std::vector<LabelUse> uses;
};

// What the lines share while they are read one by one.
struct ParseState {
    ParsedText& out;
    bool headerSeen = false;
    Labels labels;
};

class LineParser {
public:
    LineParser(std::string_view line, int32_t lineNumber, size_t start, ParseState& state, const CodePageText& cp)
        : line_(line), lineNumber_(lineNumber), pos_(start), out_(state.out), codePage_(cp),
          headerSeen_(state.headerSeen), labels_(state.labels) {}

    bool tooManyActions() const { return tooManyActions_; }

    void parse() {
        skipBlanks();
        if (atEnd()) return;
        std::string_view label;
        const size_t labelStart = pos_;
        if (line_[pos_] == '@') {
            ++pos_;
            label = word();
            if (!isLabelName(label)) return error(labelStart, "expected a label name after \"@\" (letters, digits, _)");
            skipBlanks();
            if (atEnd()) return error(labelStart, "the label \"@" + std::string(label) + "\" needs an action after it");
        }
        const size_t wordStart = pos_;
        const std::string_view keyword = word();
        if (keyword.empty()) return error(wordStart, "expected an action type or \"macro\"");
        if (keyword == kMacroKeyword) {
            if (!label.empty()) return error(labelStart, "the \"macro\" line takes no label");
            return parseMacroLine(wordStart);
        }
        if (!parseAction(keyword, wordStart)) return;
        if (!label.empty()) defineLabel(label, labelStart);
    }

private:
    void parseMacroLine(size_t at) {
        if (headerSeen_) return error(at, "the \"macro\" line is given twice");
        if (!out_.macro.actions.empty()) return error(at, "the \"macro\" line must come before the first action");
        headerSeen_ = true;
        const auto read = [&](const MacroField& field, std::string_view name, size_t nameStart) {
            const std::optional<int64_t> value = numberValue(field, name, nameStart);
            if (!value) return false;
            if (*value < kInt32Min || *value > kInt32Max) return outOfRange(valueStart_, *value), false;
            out_.macro.*field.value = static_cast<int32_t>(*value);
            return true;
        };
        parseFields(macroFields(), findMacroField, " of the macro line", read);
    }

    void defineLabel(std::string_view label, size_t at) {
        const auto [place, added] =
            labels_.defined.try_emplace(std::string(label), out_.macro.actions.size() - 1, lineNumber_);
        if (!added) {
            error(at, "the label \"@" + std::string(label) + "\" is already on line " +
                          std::to_string(place->second.second));
        }
    }

    bool parseAction(std::string_view keyword, size_t at) {
        if (out_.macro.actions.size() >= kMaxTextActions) {
            error(at, "more than " + std::to_string(kMaxTextActions) + " actions; stopped reading here");
            tooManyActions_ = true;
            return false;
        }
        ActionRecord record = makeDefaultRecord();
        if (const std::optional<ActionType> type = typeFromKeyword(keyword)) {
            record.actionType = *type;
        } else if (const std::optional<int64_t> number = parseInteger(keyword)) {
            if (*number < kInt32Min || *number > kInt32Max) outOfRange(at, *number);
            record.actionType = static_cast<ActionType>(static_cast<int32_t>(*number));
        } else {
            error(at, "unknown action type \"" + std::string(keyword) + "\"");
        }
        const int64_t position = out_.macro.actions.size();
        parseRecordFields(record, position);
        out_.macro.actions.append(std::move(record));
        out_.actionLines.push_back(lineNumber_);
        return true;
    }

    void parseRecordFields(ActionRecord& record, int64_t position) {
        const auto read = [&](const RecordField& field, std::string_view name, size_t nameStart) {
            out_.fieldPlaces.push_back({static_cast<int32_t>(position), columnAt(nameStart), field.name});
            if (field.kind == FieldKind::Text) return textValue(record.*field.text, name, nameStart, position);
            if (field.kind == FieldKind::Target && line_.substr(pos_).starts_with("=@")) {
                pos_ += 2;
                const std::string_view label = word();
                if (!isLabelName(label)) {
                    error(pos_ - label.size() - 1, "expected a label name after \"@\" (letters, digits, _)");
                    return false;
                }
                labels_.uses.push_back({static_cast<int32_t>(position), field.number, std::string(label), lineNumber_,
                                        columnAt(pos_ - label.size() - 1)});
                return true;
            }
            const std::optional<int64_t> value = numberValue(field, name, nameStart);
            if (!value) return false;
            int64_t stored = *value;
            if (field.kind == FieldKind::Target) {
                stored = *value - (position + 1);  // absolute action number to the distance
                if (stored < kInt32Min || stored > kInt32Max) {
                    error(valueStart_, "action number " + std::to_string(*value) + " is out of range");
                    return false;
                }
            } else if (field.kind == FieldKind::Colour) {
                if (stored < kInt32Min || stored > 0xFFFFFFFFll) return outOfRange(valueStart_, *value), false;
                stored = static_cast<int32_t>(static_cast<uint32_t>(stored));
            } else if (stored < kInt32Min || stored > kInt32Max) {
                return outOfRange(valueStart_, *value), false;
            }
            record.*field.number = static_cast<int32_t>(stored);
            return true;
        };
        parseFields(recordFields(), findRecordField, "", read);
    }

    // The "name[=value]" fields to the end of the line, each name once; read(field, name,
    // nameStart) takes the value and returns false at an error that ends the line.
    template <typename Field, size_t N, typename Read>
    void parseFields(const std::array<Field, N>& fields, const Field* (*find)(std::string_view),
                     std::string_view unknownWhere, Read read) {
        std::array<bool, N> seen{};
        while (true) {
            skipBlanks();
            if (atEnd()) return;
            const size_t nameStart = pos_;
            const std::string_view name = word();
            if (name.empty()) return error(nameStart, "expected a field name");
            const Field* field = find(name);
            if (!field) return error(nameStart, "unknown field \"" + std::string(name) + '"' + std::string(unknownWhere));
            const size_t index = static_cast<size_t>(field - fields.data());
            if (seen[index]) error(nameStart, "field \"" + std::string(name) + "\" is given twice");
            seen[index] = true;
            if (!read(*field, name, nameStart)) return;
        }
    }

    // After a field name: "=value", or nothing for a flag (meaning 1).
    template <typename Field>
    std::optional<int64_t> numberValue(const Field& field, std::string_view name, size_t nameStart) {
        if (pos_ >= line_.size() || line_[pos_] != '=') {
            if (field.kind == FieldKind::Flag) return 1;
            error(nameStart, "field \"" + std::string(name) + "\" needs a value (" + std::string(name) + "=...)");
            return std::nullopt;
        }
        ++pos_;
        valueStart_ = pos_;
        const std::string_view text = word();
        if (text.empty()) {
            error(valueStart_, "field \"" + std::string(name) + "\" needs a number");
            return std::nullopt;
        }
        const std::optional<int64_t> value = parseInteger(text);
        if (!value) error(valueStart_, quoted(text) + " is not a number");
        return value;
    }

    bool textValue(std::string& out, std::string_view name, size_t nameStart, int64_t position) {
        if (pos_ + 1 >= line_.size() || line_[pos_] != '=' || line_[pos_ + 1] != '"') {
            error(nameStart, "field \"" + std::string(name) + "\" needs a text in double quotes");
            return false;
        }
        pos_ += 1;
        const size_t open = pos_++;
        std::string bytes;
        size_t segment = pos_;  // start of the UTF-8 run since the last escape
        auto flush = [&](size_t end) {
            const std::string_view utf8 = line_.substr(segment, end - segment);
            if (const std::optional<std::string> converted = codePage_.fromUtf8(utf8)) {
                bytes += *converted;
                return true;
            }
            reportUnconvertible(segment, utf8, name, position);
            return false;
        };
        while (true) {
            if (pos_ >= line_.size()) {
                error(open, "unterminated text (a \" is missing)");
                return false;
            }
            const char c = line_[pos_];
            if (c == '"') break;
            if (c != '\\') {
                ++pos_;
                continue;
            }
            if (!flush(pos_)) return false;
            const size_t escape = pos_++;
            const char kind = pos_ < line_.size() ? line_[pos_++] : '\0';
            switch (kind) {
                case '"': bytes += '"'; break;
                case '\\': bytes += '\\'; break;
                case 'n': bytes += '\n'; break;
                case 'r': bytes += '\r'; break;
                case 't': bytes += '\t'; break;
                case 'x': {
                    const std::optional<int64_t> value =
                        pos_ + 2 <= line_.size() ? parseInteger("0x" + std::string(line_.substr(pos_, 2))) : std::nullopt;
                    if (!value || line_[pos_] == '-' || line_[pos_] == '+') {
                        error(escape, "\\x needs two hexadecimal digits");
                        return false;
                    }
                    bytes += static_cast<char>(*value);
                    pos_ += 2;
                    break;
                }
                default:
                    error(escape, "unknown escape \"\\" + std::string(1, kind) + "\" (use \\\" \\\\ \\n \\r \\t \\xHH)");
                    return false;
            }
            segment = pos_;
        }
        if (!flush(pos_)) return false;
        ++pos_;
        if (pos_ < line_.size() && !isBlank(line_[pos_]) && line_[pos_] != '#') {
            error(pos_, "expected a blank after the closing \"");
            return false;
        }
        out = std::move(bytes);
        return true;
    }

    void reportUnconvertible(size_t segment, std::string_view utf8, std::string_view name, int64_t position) {
        for (size_t i = 0; i < utf8.size();) {
            const size_t length = utf8SequenceLength(utf8.substr(i));
            if (length == 0) return error(segment + i, "invalid UTF-8");
            const std::string_view one = utf8.substr(i, length);
            if (!codePage_.fromUtf8(one)) {
                return error(segment + i, "action " + std::to_string(position + 1) + ", " + std::string(name) +
                                              ": the code page cannot hold \"" + std::string(one) + "\"");
            }
            i += length;
        }
        error(segment, "the code page cannot hold this text");
    }

    std::string_view word() {
        const size_t start = pos_;
        while (pos_ < line_.size() && !endsWord(line_[pos_])) ++pos_;
        return line_.substr(start, pos_ - start);
    }

    void skipBlanks() {
        while (pos_ < line_.size() && isBlank(line_[pos_])) ++pos_;
    }

    bool atEnd() const { return pos_ >= line_.size() || line_[pos_] == '#'; }

    void outOfRange(size_t at, int64_t value) {
        const std::string shown = value >= (int64_t{1} << 40) || value <= -(int64_t{1} << 40) ? std::string("the number")
                                                                                              : std::to_string(value);
        error(at, shown + " is out of range");
    }

    int32_t columnAt(size_t at) const {
        int32_t column = 1;
        for (size_t i = 0; i < at && i < line_.size(); ++i)
            if ((static_cast<uint8_t>(line_[i]) & 0xC0) != 0x80) ++column;
        return column;
    }

    void error(size_t at, std::string message) {
        if (out_.errors.size() >= kMaxTextErrors) return;
        out_.errors.push_back({lineNumber_, columnAt(at), std::move(message)});
    }

    std::string_view line_;
    int32_t lineNumber_;
    size_t pos_;
    size_t valueStart_ = 0;
    ParsedText& out_;
    const CodePageText& codePage_;
    bool& headerSeen_;
    Labels& labels_;
    bool tooManyActions_ = false;
};

// Each jump that names a label gets the distance to the labelled action.
void resolveLabels(const Labels& labels, ParsedText& out) {
    for (const LabelUse& use : labels.uses) {
        const auto found = labels.defined.find(use.name);
        if (found == labels.defined.end()) {
            out.errors.push_back({use.line, use.column, "unknown label \"@" + use.name + "\""});
            continue;
        }
        out.macro.actions.at(use.action).*use.field = found->second.first - use.action;
    }
    std::stable_sort(out.errors.begin(), out.errors.end(), [](const TextDiagnostic& a, const TextDiagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    if (out.errors.size() > kMaxTextErrors) out.errors.resize(kMaxTextErrors);
}

}  // namespace

int32_t ParsedText::columnOf(int32_t action, std::string_view field) const {
    auto place = std::lower_bound(fieldPlaces.begin(), fieldPlaces.end(), action - 1,
                                  [](const FieldPlace& p, int32_t index) { return p.action < index; });
    for (; place != fieldPlaces.end() && place->action == action - 1; ++place)
        if (place->field == field) return place->column;
    return 0;
}

ParsedText parseTextForm(std::string_view text, const CodePageText& codePage) {
    ParsedText out;
    ParseState state{out, false, {}};
    int32_t lineNumber = 0;
    size_t start = 0;
    while (start < text.size() && out.errors.size() < kMaxTextErrors) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        const size_t skip = lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;  // a UTF-8 BOM
        LineParser parser(line, lineNumber, skip, state, codePage);
        parser.parse();
        if (parser.tooManyActions()) return out;
        start = end + 1;
    }
    if (out.errors.size() < kMaxTextErrors) resolveLabels(state.labels, out);
    if (out.errors.size() >= kMaxTextErrors)
        out.errors.push_back({lineNumber, 1, "too many errors; stopped reading here"});
    return out;
}

}  // namespace tappling
