// What the main window's list view shows: its nine columns and the text of each cell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/ActionRecord.h"

namespace tappling {

struct ListColumn {
    std::string_view title;  // UTF-8
    int32_t width;           // pixels
};

inline constexpr int32_t kListColumnCount = 9;
inline constexpr int32_t kCommentColumn = 1;

inline constexpr std::array<ListColumn, kListColumnCount> kListColumns{{
    {"No", 36}, {"Memo", 100}, {"x", 36}, {"y", 36}, {"BW", 36},
    {"Act", 120}, {"AW", 36}, {"Loop", 36}, {"ST", 25},
}};

// The cells of row `index` (0-based). Every cell is UTF-8 except the comment column
// (kCommentColumn), which keeps the record's ANSI code-page bytes.
std::array<std::string, kListColumnCount> rowTexts(const ActionRecord& record, int32_t index);

// The list view's search as the user types: the first row from `start` on (then from the
// top when wrapping) whose number starts with `typed` (equals it when not partial); -1
// when none does, so a typed letter leaves the selection where it is.
int32_t findRowByNumber(int32_t rowCount, int32_t start, std::string_view typed, bool partial, bool wrap);

}  // namespace tappling
