#include "ui/logic/ActionEditorLogic.h"

#include <algorithm>
#include <limits>

namespace tappling {

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

int32_t saturate(int64_t value) { return static_cast<int32_t>(std::clamp(value, kInt32Min, kInt32Max)); }

constexpr int64_t kWaitStepMs = 500;

// atoi's reading with a 64-bit result; far beyond any int32 sum it saturates.
int64_t parseLeadingInt64(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr int64_t kLimit = int64_t{1} << 40;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = std::min(value * 10 + (text[i] - '0'), kLimit);
    return negative ? -value : value;
}

}  // namespace

int32_t repeatCountUp(int32_t count) { return saturate(int64_t{count} + 1); }

int32_t repeatCountDown(int32_t count) { return saturate(std::max<int64_t>(int64_t{count} - 1, 1)); }

// Integer division truncates toward zero, as the buttons always have.
int32_t waitUp(int32_t waitMs) { return saturate((int64_t{waitMs} + kWaitStepMs) / kWaitStepMs * kWaitStepMs); }

int32_t waitDown(int32_t waitMs) {
    return saturate(std::max<int64_t>((int64_t{waitMs} - 1) / kWaitStepMs * kWaitStepMs, 0));
}

int32_t nudgeCoordinate(int32_t value, int32_t delta) { return saturate(int64_t{value} + delta); }

int64_t shownActionNumber(int32_t relative, int32_t rowNumber) { return int64_t{relative} + rowNumber; }

std::string shownActionNumberText(int32_t relative, int32_t rowNumber) {
    return std::to_string(shownActionNumber(relative, rowNumber));
}

int32_t relativeFromShownText(std::string_view text, int32_t rowNumber) {
    return saturate(parseLeadingInt64(text) - rowNumber);
}

EditorControlStates editorControlStates(ActionType type) {
    EditorControlStates states;
    states.positionBoxes = hasPosition(type);
    states.inputText = type == ActionType::KeyboardInput;
    states.fileControls = type == ActionType::ExecuteFile;
    states.conditionControls = type == ActionType::Condition;
    states.detailButton = type == ActionType::Condition || type == ActionType::Skip;
    return states;
}

bool detailRangeAndFalseJumpEnabled(ActionType type) { return type != ActionType::Skip; }

std::string cutDroppedPath(std::string_view ansiPath, const CodePage& codePage) {
    size_t end = 0;
    while (end < ansiPath.size()) {
        const size_t width = codePage.isLeadByte(static_cast<uint8_t>(ansiPath[end])) ? 2 : 1;
        if (end + width > kDroppedPathMaxBytes || end + width > ansiPath.size()) break;
        end += width;
    }
    return std::string(ansiPath.substr(0, end));
}

std::string unusableCharactersMessage(std::string_view fieldLabel) {
    std::string text = "「";
    text += fieldLabel;
    text += "」に使えない文字が含まれています。";
    return text;
}

}  // namespace tappling
