#include "ui/logic/EditingRules.h"

namespace tappling {

PastePlan pastePlan(PasteWhere where, const std::vector<int32_t>& selected, int32_t bufferCount) {
    const int32_t firstSelected = selected.front();
    const int32_t first =
        where == PasteWhere::Before ? firstSelected : firstSelected + static_cast<int32_t>(selected.size());
    return {first, bufferCount, {first + bufferCount, first}};
}

std::string selectionNumberList(const std::vector<int32_t>& rows) {
    std::string list;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) list += ',';
        list += std::to_string(static_cast<int64_t>(rows[i]) + 1);
    }
    return list;
}

}  // namespace tappling
