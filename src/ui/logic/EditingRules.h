// The arithmetic of the editing commands: where pasted actions land, which row is shown
// afterwards, and the number list handed to the bulk text edit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tappling {

// After a successful add, insert, edit or paste: the row that is selected and the number
// of rows the list is scrolled down from the top.
struct ChangedRow {
    int32_t row = 0;
    int32_t scroll = 0;
    bool operator==(const ChangedRow&) const = default;
};

// A paste of `count` buffered actions: they are inserted at first, first + 1, ... and
// `shown` is the changed row to show afterwards.
struct PastePlan {
    int32_t first = 0;
    int32_t count = 0;
    ChangedRow shown;
    bool operator==(const PastePlan&) const = default;
};

enum class PasteWhere { Before, After };

// `selected` holds the selected rows in ascending order and is not empty. Before: at the
// first selected row. After: at first selected row + number of selected rows, which is
// the row after a contiguous selection (a scattered one counts the same way).
PastePlan pastePlan(PasteWhere where, const std::vector<int32_t>& selected, int32_t bufferCount);

// The changed row of an add (the new last row), an insert before row L (L itself) and an
// edit of row S (S itself): always the row itself, scrolled to the top.
inline ChangedRow changedRowAt(int32_t row) { return {row, row}; }

// "2,3,5" for the 0-based rows 1, 2 and 4; empty without rows.
std::string selectionNumberList(const std::vector<int32_t>& rows);

}  // namespace tappling
