#include "ui/main/MainDialog.h"

#include <commctrl.h>

#include <array>

#include "engine/RunCommands.h"
#include "resources/resource.h"
#include "ui/logic/Caption.h"
#include "ui/logic/Layout.h"
#include "ui/logic/ListRows.h"
#include "ui/main/TimerIds.h"

namespace tappling {

namespace {

constexpr std::array<int, 5> kUpperButtons{IDC_ADD_AT_END, IDC_INSERT_BEFORE, IDC_DELETE, IDC_EDIT, IDC_AUTO_RECORD};
constexpr std::array<int, 5> kCornerControls{IDC_LOOP, IDC_LOOP_MAX, IDC_LOOP_COUNT, IDC_RUN, IDC_RESUME};

LayoutRect toLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT clientRect(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

// The control's window rectangle in its parent's client coordinates.
LayoutRect controlRect(HWND parent, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return toLayout(rect);
}

void place(HWND control, const LayoutRect& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace

MainDialog::MainDialog(HINSTANCE instance, Platform& platform, MainDialogServices services)
    : Dialog(instance, IDD_MAIN),
      platform_(platform),
      player_(platform),
      marker_(instance),
      prompter_(services.prompter != nullptr ? *services.prompter : win32Prompter_),
      listTexts_(player_.actions()),
      playback_(*this, player_),
      recording_(*this, player_),
      fileCommands_(*this, services.files != nullptr ? *services.files : fileAccess_,
                    services.dialogs != nullptr ? *services.dialogs : fileDialogs_, prompter_, services.opener),
      shortcuts_(*this, prompter_),
      win32ActionDialogs_(instance, marker_, platform_, fileDialogs_),
      editing_(*this, player_, services.actionDialogs != nullptr ? *services.actionDialogs : win32ActionDialogs_) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    appIcon_ = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAPPLING));
}

MainDialog::~MainDialog() = default;  // the icon is a shared resource icon

bool MainDialog::onInit() {
    // The size notification of the window's creation comes before WM_INITDIALOG and so
    // never reaches us: the rectangles of the created window are taken here instead.
    layout(SIZE_RESTORED);
    list_ = item(IDC_ACTION_LIST);
    win32Prompter_.setOwner(hwnd());
    fileDialogs_.setOwner(hwnd());
    win32ActionDialogs_.setOwner(hwnd());
    playback_.setAutoRunMode(autoRunMode);

    player_.modified = 0;
    player_.resumable = 0;
    enable(IDC_LOOP_MAX, false);
    enable(IDC_LOOP_COUNT, false);

    marker_.locked = 0;  // create the marker window once, hidden from here on
    marker_.showAtTarget();
    marker_.hide();

    DragAcceptFiles(hwnd(), TRUE);
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_SYS_ABOUT, L"バージョン情報");
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));

    // Presses of the stop keys before now must not stop the first run.
    platform_.keys.asyncKeyState(kVkEscape);
    platform_.keys.asyncKeyState(kVkF2);

    insertColumns();
    updateTitle();
    refreshList();
    if (autoRunMode == 1) playback_.armAutoRun();
    return true;
}

void MainDialog::insertColumns() {
    for (int i = 0; i < kListColumnCount; ++i) {
        std::wstring title = utf8ToWide(kListColumns[static_cast<size_t>(i)].title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kListColumns[static_cast<size_t>(i)].width;
        column.pszText = title.data();
        column.iSubItem = i;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void MainDialog::refreshList() {
    // The view holds no rows (owner data): emptying it drops the selection, the focus and
    // the scroll position, and the count alone makes the rows, whose texts are asked for
    // as they are drawn.
    ListView_DeleteAllItems(list_);
    listTexts_.clear();
    ListView_SetItemCountEx(list_, player_.actions().size(), 0);
    const Macro& macro = player_.macro;
    loopChecked = macro.loopEnabled;
    enable(IDC_LOOP_MAX, macro.loopEnabled == 1);
    enable(IDC_LOOP_COUNT, macro.loopEnabled == 1);
    maxChecked = macro.loopLimited;
    setText(IDC_LOOP_COUNT, std::to_wstring(macro.loopCount));
    setChecked(IDC_LOOP, loopChecked);
    setChecked(IDC_LOOP_MAX, maxChecked);
    InvalidateRect(hwnd(), nullptr, FALSE);  // the next paint sets the resume button
}

void MainDialog::updateTitle() {
    if (autoRunMode == 1) return;
    SetWindowTextW(hwnd(), ansiTextToWide(titleText(currentFilePath, codePage_)).c_str());
}

void MainDialog::updateTitleProgress(int32_t passes) {
    if (autoRunMode == 1) return;
    const Macro& macro = player_.macro;
    const std::string caption =
        progressTitleText(passes, macro.loopEnabled, macro.loopLimited, macro.loopCount, currentFilePath, codePage_);
    SetWindowTextW(hwnd(), ansiTextToWide(caption).c_str());
}

void MainDialog::showMarkerFor(int32_t index) {
    if (index < 0 || index >= player_.actions().size()) return;
    const ActionRecord& record = player_.actions().at(index);
    if (!hasPosition(record.actionType)) {
        marker_.hide();
        return;
    }
    marker_.locked = 1;
    marker_.actionIndex = index;
    marker_.setTarget(record.x, record.y);
    marker_.showAtTarget();
}

void MainDialog::readLoopControls() {
    loopChecked = checked(IDC_LOOP);
    maxChecked = checked(IDC_LOOP_MAX);
    player_.macro.loopEnabled = loopChecked == 1 ? 1 : 0;
    player_.macro.loopLimited = maxChecked == 1 ? 1 : 0;
    player_.macro.loopCount = textAsInt(IDC_LOOP_COUNT);
}

void MainDialog::syncLoopBoxes() {
    loopChecked = checked(IDC_LOOP);
    maxChecked = checked(IDC_LOOP_MAX);
    enable(IDC_LOOP_MAX, loopChecked == 1);
    enable(IDC_LOOP_COUNT, loopChecked == 1);
}

int32_t MainDialog::firstSelectedRow() const {
    return static_cast<int32_t>(ListView_GetNextItem(list_, -1, LVNI_SELECTED));
}

bool MainDialog::onCommand(int id, int code) {
    switch (id) {
        case ID_FILE_EXIT: onOk(); return true;
        case IDC_LOOP_COUNT:  // a typed count is a change like any other: the close must ask before losing it
            if (code == EN_CHANGE && textAsInt(IDC_LOOP_COUNT) != player_.macro.loopCount) player_.modified = 1;
            return true;
        case IDC_AUTO_RECORD:
        case ID_EDIT_AUTO_RECORD: return recording_.onCommand(id);
        case ID_FILE_SHORTCUT_NORMAL:
        case ID_FILE_SHORTCUT_AUTO:
        case ID_FILE_SHORTCUT_RANDOM: return shortcuts_.onCommand(id);
        default: return playback_.onCommand(id) || fileCommands_.onCommand(id) || editing_.onCommand(id);
    }
}

std::optional<LRESULT> MainDialog::onNotify(const NMHDR& header) {
    if (header.idFrom != IDC_ACTION_LIST) return std::nullopt;
    switch (header.code) {
        case NM_CLICK: onRowClick(); return std::nullopt;
        case NM_DBLCLK: editing_.onListDoubleClick(); return 0;
        case NM_RCLICK: showContextMenu(); return 0;
        case LVN_KEYDOWN: editing_.onListKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey); return 0;
        case LVN_BEGINDRAG: return 0;  // rows cannot be dragged
        case LVN_GETDISPINFOW:  // the view's own request: its text buffer is ours to fill
            listTexts_.serve(reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)));
            return 0;
        case LVN_ODFINDITEMW:  // typing in the list: an unanswered search would pick row 0
            return listTexts_.find(reinterpret_cast<const NMLVFINDITEMW&>(header));
        default: return std::nullopt;
    }
}

void MainDialog::onRowClick() {
    const int32_t row = firstSelectedRow();
    if (row < 0) return;
    SetTimer(hwnd(), kMarkerPollTimer, kTimerPeriodMs, nullptr);
    showMarkerFor(row);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    if (GetFocus() != list_) SetFocus(list_);  // showing the marker activates it; the keys stay with the list
}

void MainDialog::showContextMenu() {
    HMENU menu = LoadMenuW(instance(), MAKEINTRESOURCEW(IDM_LIST_CONTEXT));
    if (menu == nullptr) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    DestroyMenu(menu);
}

bool MainDialog::onTimer(UINT_PTR id) {
    switch (id) {
        case kStepTimer: playback_.onStepTimer(); return true;
        case kRecorderTimer: recording_.onRecorderTimer(); return true;
        case kMarkerPollTimer: editing_.onMarkerPollTimer(); return true;
        case kAutoRunTimer:
            KillTimer(hwnd(), kAutoRunTimer);
            playback_.startRun(0);
            return true;
        default: return false;
    }
}

bool MainDialog::onSize(UINT type, int /*cx*/, int /*cy*/) {
    layout(type);
    playback_.onResized();  // any size change during a run asks it to stop
    return false;
}

void MainDialog::layout(UINT sizeType) {
    if (!layoutInitialised_) {
        prevClientRect_ = clientRect(hwnd());
        initialClientRect_ = prevClientRect_;
        layoutInitialised_ = true;
        return;
    }
    if (sizeType != SIZE_RESTORED && sizeType != SIZE_MAXIMIZED) return;
    const LayoutChange change =
        layoutChange(toLayout(prevClientRect_), toLayout(initialClientRect_), toLayout(clientRect(hwnd())));
    for (int id : kUpperButtons) {
        HWND button = item(id);
        place(button, followRightEdge(controlRect(hwnd(), button), change));
        ShowWindow(button, SW_SHOW);
        if (change.hideUpper) ShowWindow(button, SW_HIDE);
    }
    for (int id : kCornerControls) {
        HWND control = item(id);
        place(control, followCorner(controlRect(hwnd(), control), change));
        ShowWindow(control, SW_SHOW);
    }
    place(list_, stretch(controlRect(hwnd(), list_), change));
    ShowWindow(list_, SW_SHOW);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    prevClientRect_ = clientRect(hwnd());
}

bool MainDialog::onPaint() {
    if (!IsIconic(hwnd())) {
        enable(IDC_RESUME, player_.resumable == 1);
        return false;  // the dialog paints itself
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd(), &paint);
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const RECT client = clientRect(hwnd());
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - client.left - iconWidth + 1) / 2, (client.bottom - client.top - iconHeight + 1) / 2,
             appIcon_);
    EndPaint(hwnd(), &paint);
    return true;
}

void MainDialog::onOk() {
    loopChecked = checked(IDC_LOOP);
    maxChecked = checked(IDC_LOOP_MAX);
    end(IDOK);
}

void MainDialog::onCancel() {
    if (closeAllowed(platform_.keys)) end(IDCANCEL);
}

bool MainDialog::onClose() {
    if (player_.modified == 1 && !player_.actions().empty()) {
        const Answer answer = prompter_.askYesNoCancel(kSaveQuestion);
        if (answer == Answer::Cancel) return true;
        // Yes and then nothing saved (chooser cancelled, write failed): closing now would
        // lose the macro, so the window stays open.
        if (answer == Answer::Yes && fileCommands_.saveMacro() != SaveOutcome::Saved) return true;
    }
    KillTimer(hwnd(), kStepTimer);
    KillTimer(hwnd(), kRecorderTimer);
    KillTimer(hwnd(), kMarkerPollTimer);
    if (closeAllowed(platform_.keys)) end(IDCANCEL);  // both stop keys held: stay open
    return true;
}

bool MainDialog::onSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_SYS_ABOUT) return false;
    fileCommands_.showAbout();
    return true;
}

bool MainDialog::onDropFiles(HDROP drop) {
    fileCommands_.onDropFiles(drop);
    return true;
}

std::optional<INT_PTR> MainDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_QUERYDRAGICON) return reinterpret_cast<INT_PTR>(appIcon_);
    if (auto handled = playback_.onAutoRunMessage(message, lParam)) return handled;
    if (message == WM_HELP) return fileCommands_.openHelp(), TRUE;  // F1
    return std::nullopt;
}

}  // namespace tappling
