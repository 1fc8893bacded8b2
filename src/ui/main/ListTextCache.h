// The texts of the main window's list view, which holds no rows of its own (owner data):
// the view asks for the cells it draws (LVN_GETDISPINFOW, LVM_GETITEMTEXTW) and they are
// made here from the action list. A rebuild only sets the row count, so it costs nothing
// per row; the converted texts of the few rows on screen are kept until the next rebuild.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <string>

#include "model/ActionList.h"
#include "ui/logic/ListRows.h"

namespace tappling {

class ListTextCache {
public:
    explicit ListTextCache(const ActionList& actions) : actions_(actions) {}

    // Forgets every kept row; called whenever the rows are rebuilt.
    void clear();

    // The text of one cell; empty outside the list.
    const std::wstring& cell(int32_t row, int32_t column);

    // Answers a text request of the view by copying into its buffer.
    void serve(NMLVDISPINFOW& request);

    // Answers the view's search for typed text (LVN_ODFINDITEMW): the row index or -1.
    LRESULT find(const NMLVFINDITEMW& request) const;

private:
    struct Row {
        int32_t index = -1;
        std::array<std::wstring, kListColumnCount> cells;
    };
    static constexpr size_t kKeptRows = 128;  // more than a maximized window shows

    const ActionList& actions_;
    std::array<Row, kKeptRows> rows_;
    std::wstring empty_;
};

}  // namespace tappling
