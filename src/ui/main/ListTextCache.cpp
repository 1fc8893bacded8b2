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
            kept.cells[static_cast<size_t>(i)] = i == kCommentColumn ? ansiToWide(text) : utf8ToWide(text);
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

LRESULT ListTextCache::find(const NMLVFINDITEMW& request) const {
    const LVFINDINFOW& info = request.lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || info.psz == nullptr) return -1;
    std::string typed;  // the numbers are ASCII digits: any other character matches no row
    for (const wchar_t* c = info.psz; *c != L'\0'; ++c) {
        if (*c >= 0x80) return -1;
        typed.push_back(static_cast<char>(*c));
    }
    return findRowByNumber(actions_.size(), request.iStart, typed, (info.flags & LVFI_PARTIAL) != 0,
                           (info.flags & LVFI_WRAP) != 0);
}

}  // namespace tappling
