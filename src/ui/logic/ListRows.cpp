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

}  // namespace tappling
