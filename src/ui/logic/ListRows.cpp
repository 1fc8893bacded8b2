#include "ui/logic/ListRows.h"

#include "model/ActionType.h"

namespace tappling {

std::array<std::string, kListColumnCount> rowTexts(const ActionRecord& record, int32_t index) {
    const bool positioned = hasPosition(record.actionType);
    return {
        std::to_string(index + 1),
        record.comment,
        positioned ? std::to_string(record.x) : std::string("-"),
        positioned ? std::to_string(record.y) : std::string("-"),
        std::to_string(record.preWaitMs),
        std::string(typeName(record.actionType)),
        std::to_string(record.postWaitMs),
        std::to_string(record.repeatCount),
        record.firstLoopOnly == 1 ? std::string("○") : std::string(),
    };
}

int32_t findRowByNumber(int32_t rowCount, int32_t start, std::string_view typed, bool partial, bool wrap) {
    if (typed.empty()) return -1;
    if (start < 0 || start >= rowCount) start = 0;
    const auto matches = [&](int32_t row) {
        const std::string number = std::to_string(row + 1);
        return partial ? number.starts_with(typed) : number == typed;
    };
    for (int32_t row = start; row < rowCount; ++row)
        if (matches(row)) return row;
    for (int32_t row = 0; wrap && row < start; ++row)
        if (matches(row)) return row;
    return -1;
}

}  // namespace tappling
