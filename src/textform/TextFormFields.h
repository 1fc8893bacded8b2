// The names the text form gives to action types and record fields, with their kinds and
// defaults; the printer and the parser share this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ActionList.h"

namespace tappling {

enum class FieldKind {
    Number,  // decimal int32
    Flag,    // 0/1: the bare name means 1
    Text,    // a string in double quotes
    Colour,  // 0x00BBGGRR, written in hexadecimal
    Target,  // relative in the record, an absolute 1-based action number in the text
};

struct RecordField {
    std::string_view name;
    FieldKind kind;
    int32_t ActionRecord::*number;      // all kinds but Text
    std::string ActionRecord::*text;    // Text only
};

inline constexpr size_t kRecordFieldCount = 20;
const std::array<RecordField, kRecordFieldCount>& recordFields();
const RecordField* findRecordField(std::string_view name);

struct MacroField {
    std::string_view name;
    FieldKind kind;
    int32_t Macro::*value;
};
const std::array<MacroField, 3>& macroFields();
const MacroField* findMacroField(std::string_view name);

// "LeftClick" ... "CtrlRight" for codes 0..25, empty otherwise.
std::string_view typeKeyword(ActionType type);
std::optional<ActionType> typeFromKeyword(std::string_view keyword);

// The keyword of the first line, before the macro-level fields.
inline constexpr std::string_view kMacroKeyword = "macro";

}  // namespace tappling
