#include "textform/TextFormFields.h"

namespace tappling {

namespace {

constexpr std::array<std::string_view, kActionTypeCount> kTypeKeywords{
    "LeftClick", "LeftDoubleClick", "LeftUp",   "LeftDown", "RightClick", "RightDoubleClick", "RightUp",
    "RightDown", "MoveOnly",        "WaitOnly", "KeyboardInput", "CtrlC", "CtrlV",            "CtrlA",
    "DeleteKey", "EnterKey",        "TabKey",   "UpKey",    "DownKey",    "LeftKey",          "RightKey",
    "ExecuteFile", "Condition",     "Skip",     "Shutdown", "CtrlRight",
};

using R = ActionRecord;
const std::array<RecordField, kRecordFieldCount> kRecordFields{{
    {"x", FieldKind::Number, &R::x, nullptr},
    {"y", FieldKind::Number, &R::y, nullptr},
    {"reserved2", FieldKind::Number, &R::reserved2, nullptr},
    {"preWaitMs", FieldKind::Number, &R::preWaitMs, nullptr},
    {"postWaitMs", FieldKind::Number, &R::postWaitMs, nullptr},
    {"repeatCount", FieldKind::Number, &R::repeatCount, nullptr},
    {"inputText", FieldKind::Text, nullptr, &R::inputText},
    {"newlineAfterInput", FieldKind::Flag, &R::newlineAfterInput, nullptr},
    {"comment", FieldKind::Text, nullptr, &R::comment},
    {"filePath", FieldKind::Text, nullptr, &R::filePath},
    {"startMaximized", FieldKind::Flag, &R::startMaximized, nullptr},
    {"firstLoopOnly", FieldKind::Flag, &R::firstLoopOnly, nullptr},
    {"conditionColor", FieldKind::Colour, &R::conditionColor, nullptr},
    {"invertCondition", FieldKind::Flag, &R::invertCondition, nullptr},
    {"trueJump", FieldKind::Target, &R::trueJump, nullptr},
    {"falseJump", FieldKind::Target, &R::falseJump, nullptr},
    {"searchRangeX", FieldKind::Number, &R::searchRangeX, nullptr},
    {"searchRangeY", FieldKind::Number, &R::searchRangeY, nullptr},
    {"offsetEnabled", FieldKind::Flag, &R::offsetEnabled, nullptr},
    {"offsetRef", FieldKind::Target, &R::offsetRef, nullptr},
}};

const std::array<MacroField, 3> kMacroFields{{
    {"loopEnabled", FieldKind::Flag, &Macro::loopEnabled},
    {"loopLimited", FieldKind::Flag, &Macro::loopLimited},
    {"loopCount", FieldKind::Number, &Macro::loopCount},
}};

}  // namespace

const std::array<RecordField, kRecordFieldCount>& recordFields() { return kRecordFields; }

const RecordField* findRecordField(std::string_view name) {
    for (const RecordField& field : kRecordFields)
        if (field.name == name) return &field;
    return nullptr;
}

const std::array<MacroField, 3>& macroFields() { return kMacroFields; }

const MacroField* findMacroField(std::string_view name) {
    for (const MacroField& field : kMacroFields)
        if (field.name == name) return &field;
    return nullptr;
}

std::string_view typeKeyword(ActionType type) {
    const int32_t value = code(type);
    return value >= 0 && value < kActionTypeCount ? kTypeKeywords[static_cast<size_t>(value)] : std::string_view();
}

std::optional<ActionType> typeFromKeyword(std::string_view keyword) {
    for (size_t i = 0; i < kTypeKeywords.size(); ++i)
        if (kTypeKeywords[i] == keyword) return static_cast<ActionType>(i);
    return std::nullopt;
}

}  // namespace tappling
