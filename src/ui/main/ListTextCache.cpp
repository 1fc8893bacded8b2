#include "ui/main/ListTextCache.h"

#include <algorithm>

#include "ui/Dialog.h"

namespace tappling {

void ListTextCache::clear() {
    for (Row& row : rows_) row.index = -1;
}

const std::wstring& ListTextCache::cell(int32_t row, int32_t column) {
    if (row < 0 || row >= actions_.size() || column < 0 || column >= kListColumnCount) return empty_;
    Row& kept = rows_[static_cast<size_t>(row) % kKeptRows];
    if (kept.index != row) {
        const auto texts = rowTexts(actions_.at(row), row);
        for (int32_t i = 0; i < kListColumnCount; ++i) {
            const std::string& text = texts[static_cast<size_t>(i)];
            kept.cells[static_cast<size_t>(i)] = i == kCommentColumn ? ansiTextToWide(text) : utf8ToWide(text);
        }
        kept.index = row;
    }
    return kept.cells[static_cast<size_t>(column)];
}

void ListTextCache::serve(NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
    const std::wstring& text = cell(item.iItem, item.iSubItem);
    const size_t count = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    text.copy(item.pszText, count);
    item.pszText[count] = L'\0';
}

}  // namespace tappling
