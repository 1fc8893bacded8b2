#include "ui/main/EditingCommands.h"

#include <commctrl.h>

#include "ui/main/MainDialog.h"
#include "ui/main/TimerIds.h"

namespace tappling {

EditingCommands::EditingCommands(MainDialog& window, MacroPlayer& player, ActionDialogs& dialogs)
    : window_(window), logic_(player, *this, dialogs) {}

void EditingCommands::onListKeyDown(WORD virtualKey) { logic_.onListKey(virtualKey, window_.keys()); }

void EditingCommands::onMarkerPollTimer() {
    PositionMarker& marker = window_.marker();
    if (marker.editRequested != 1) return;
    KillTimer(window_.hwnd(), kMarkerPollTimer);
    const int32_t index = marker.actionIndex;
    marker.locked = 1;
    marker.showAtTarget();
    logic_.editThroughMarker(index);
}

std::vector<int32_t> EditingCommands::selectedRows() {
    std::vector<int32_t> rows;
    int row = -1;
    while ((row = ListView_GetNextItem(window_.list(), row, LVNI_SELECTED)) >= 0) rows.push_back(row);
    return rows;
}

void EditingCommands::inform(std::string_view utf8) { window_.prompter().inform(utf8); }
void EditingCommands::refreshList() { window_.refreshList(); }

void EditingCommands::selectRow(int32_t row) {
    ListView_SetItemState(window_.list(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(window_.list(), row, LVIS_SELECTED, LVIS_SELECTED);
}

void EditingCommands::watchMarker() { SetTimer(window_.hwnd(), kMarkerPollTimer, kTimerPeriodMs, nullptr); }
void EditingCommands::showMarkerFor(int32_t row) { window_.showMarkerFor(row); }
void EditingCommands::hideMarker() { window_.marker().hide(); }

void EditingCommands::showWindow() {
    SetWindowPos(window_.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

// The keys go to the list, where the editing shortcuts live.
void EditingCommands::takeFocus() {
    SetForegroundWindow(window_.hwnd());
    SetFocus(window_.list());
}

void EditingCommands::scrollRows(int32_t rows) {
    RECT first{};
    if (!ListView_GetItemRect(window_.list(), 0, &first, LVIR_BOUNDS)) return;
    ListView_Scroll(window_.list(), 0, rows * (first.bottom - first.top));
}

void EditingCommands::minimizeWindow() { ShowWindow(window_.hwnd(), SW_MINIMIZE); }
void EditingCommands::restoreWindow() { ShowWindow(window_.hwnd(), SW_RESTORE); }

}  // namespace tappling
