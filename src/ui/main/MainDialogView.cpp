// The main window's side of MainView: what the command families ask of the window.
#include "ui/main/MainDialog.h"

#include <commctrl.h>

#include "app/DesktopShortcut.h"
#include "app/win32/ShellLink.h"
#include "resources/resource.h"
#include "ui/main/TimerIds.h"

namespace tappling {

std::vector<int32_t> MainDialog::selectedRows() {
    std::vector<int32_t> rows;
    int row = -1;
    while ((row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) >= 0) rows.push_back(row);
    return rows;
}

void MainDialog::selectRow(int32_t row) {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list_, row, LVIS_SELECTED, LVIS_SELECTED);
}

void MainDialog::scrollRows(int32_t rows) {
    RECT first{};
    if (!ListView_GetItemRect(list_, 0, &first, LVIR_BOUNDS)) return;
    ListView_Scroll(list_, 0, rows * (first.bottom - first.top));
}

void MainDialog::show(WindowShow how) {
    switch (how) {
        case WindowShow::Minimize: ShowWindow(hwnd(), SW_MINIMIZE); return;
        case WindowShow::ShowMinimized: ShowWindow(hwnd(), SW_SHOWMINIMIZED); return;
        case WindowShow::Restore: ShowWindow(hwnd(), SW_RESTORE); return;
        case WindowShow::ShowNormal: ShowWindow(hwnd(), SW_SHOWNORMAL); return;
        case WindowShow::InPlace:
            SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
            return;
    }
}

void MainDialog::takeFocus() {
    SetForegroundWindow(hwnd());
    SetFocus(list_);
}

void MainDialog::showPlaybackChoices() {
    HMENU menu = GetMenu(hwnd());
    const auto speed = static_cast<UINT>(player_.playbackSpeed);
    CheckMenuRadioItem(menu, ID_EDIT_SPEED_QUARTER, ID_EDIT_SPEED_QUADRUPLE, ID_EDIT_SPEED_QUARTER + speed, MF_BYCOMMAND);
    CheckMenuItem(menu, ID_EDIT_STOP_ON_INPUT, MF_BYCOMMAND | (player_.stopOnManualInput ? MF_CHECKED : MF_UNCHECKED));
}

void MainDialog::startTimer(CommandTimer timer) {
    if (timer == CommandTimer::Step) stepTimerOn_ = true;
    SetTimer(hwnd(), timer == CommandTimer::Step ? kStepTimer : kRecorderTimer, kTimerPeriodMs, nullptr);
}

void MainDialog::stopTimer(CommandTimer timer) {
    if (timer == CommandTimer::Step) stepTimerOn_ = false;
    KillTimer(hwnd(), timer == CommandTimer::Step ? kStepTimer : kRecorderTimer);
}

void MainDialog::writeDesktopShortcut(std::string_view option) {
    const auto mode = shortcutMode(option);
    const std::optional<std::string> desktop = desktopFolderPath();
    const std::optional<std::string> program = programPath();
    if (!mode || !desktop || !program) return;  // a link without its target would start nothing
    writeShellLink(shortcutLinkPath(*desktop, currentFilePath, *mode, codePage_), "",
                   shortcutArguments(currentFilePath, option), *program);
}

}  // namespace tappling
