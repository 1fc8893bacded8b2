#include "ui/main/MainDialog.h"

#include <commctrl.h>

#include <shellapi.h>

#include <array>

#include "model/win32/Win32ModulePath.h"
#include "resources/resource.h"
#include "ui/logic/Caption.h"
#include "ui/logic/DpiScale.h"
#include "ui/logic/HelpLinks.h"
#include "ui/logic/Layout.h"
#include "ui/logic/ListRows.h"
#include "ui/main/AboutDialog.h"
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
      opener_(services.opener != nullptr ? *services.opener : shellOpener_),
      win32ActionDialogs_(instance, marker_, platform_, fileDialogs_),
      files_({player_, currentFilePath, *this, prompter_}, services.files != nullptr ? *services.files : fileAccess_,
             services.dialogs != nullptr ? *services.dialogs : fileDialogs_, codePage_),
      run_({player_, currentFilePath, *this, prompter_}, files_),
      record_({player_, currentFilePath, *this, prompter_}, files_, codePage_),
      edit_({player_, currentFilePath, *this, prompter_},
            services.actionDialogs != nullptr ? *services.actionDialogs : win32ActionDialogs_),
      shortcuts_({player_, currentFilePath, *this, prompter_}) {
    run_.settings = services.settings != nullptr ? services.settings : &settingsStore_;
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
    run_.autoRunMode = autoRunMode;

    player_.noteChange(MacroChange::Replaced);
    enable(IDC_LOOP_MAX, false);
    enable(IDC_LOOP_COUNT, false);

    marker_.showDraggable(0, 0);  // create the marker window once, hidden from here on
    marker_.hide();
    marker_.onEditRequest([this](int32_t) { onMarkerEditRequest(); });

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
    run_.loadChoices();
    updateTitle();
    refreshList();
    if (autoRunMode == 1) armAutoRun();
    return true;
}

void MainDialog::insertColumns() {
    const UINT dpi = GetDpiForWindow(list_);  // the widths are for 96 dpi
    for (int i = 0; i < kListColumnCount; ++i) {
        std::wstring title = utf8ToWide(kListColumns[static_cast<size_t>(i)].title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = scaleForDpi(kListColumns[static_cast<size_t>(i)].width, dpi);
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
    SetWindowTextW(hwnd(), (ansiToWide(titleText(currentFilePath, codePage_)) + utf8ToWide(speedSuffix())).c_str());
}

// While a run plays, the speed it took; otherwise the one the next run will take.
std::string MainDialog::speedSuffix() const {
    return speedCaptionSuffix(stepTimerOn_ ? player_.speedInForce() : player_.playbackSpeed);
}

void MainDialog::updateTitleProgress(int32_t passes) {
    if (autoRunMode == 1) return;
    const Macro& macro = player_.macro;
    const std::string caption =
        progressTitleText(passes, macro.loopEnabled, macro.loopLimited, macro.loopCount, currentFilePath, codePage_);
    SetWindowTextW(hwnd(), (ansiToWide(caption) + utf8ToWide(speedSuffix())).c_str());
}

void MainDialog::showMarkerFor(int32_t index) {
    if (index < 0 || index >= player_.actions().size()) return;
    const ActionRecord& record = player_.actions().at(index);
    if (!hasPosition(record.actionType)) {
        marker_.hide();
        return;
    }
    marker_.showLocked(record.x, record.y, index);
}

// The marker hid itself on the double click: the editor opens from the message loop, on
// the marker shown again in place.
void MainDialog::onMarkerEditRequest() {
    if (!markerWatched_) return;
    markerWatched_ = false;
    PostMessageW(hwnd(), kMarkerEditMessage, 0, 0);
}

void MainDialog::editThroughMarker() {
    marker_.showLockedAgain();
    edit_.editThroughMarker(marker_.actionIndex());
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

// Every command of the buttons, the menus and the list's context menu, and its handler.
bool MainDialog::onCommand(int id, int code) {
    struct Route {
        int id;
        void (*handle)(MainDialog& window, int code);
    };
    static constexpr Route kRoutes[] = {
        // run
        {IDC_RUN, [](MainDialog& w, int) { w.run_.run(); }},
        {ID_EDIT_RUN, [](MainDialog& w, int) { w.run_.run(); }},
        {ID_EDIT_RUN_RANDOM, [](MainDialog& w, int) { w.run_.runRandom(); }},
        {IDC_RESUME, [](MainDialog& w, int) { w.run_.resumeButton(); }},
        {ID_EDIT_RESUME, [](MainDialog& w, int) { w.run_.resume(); }},
        {ID_EDIT_RESUME_RANDOM, [](MainDialog& w, int) { w.run_.resumeRandom(); }},
        {ID_EDIT_RUN_FROM_ROW, [](MainDialog& w, int) { w.run_.runFromSelectedRow(); }},
        {ID_EDIT_SPEED_QUARTER, [](MainDialog& w, int) { w.run_.chooseSpeed(PlaybackSpeed::Quarter); }},
        {ID_EDIT_SPEED_HALF, [](MainDialog& w, int) { w.run_.chooseSpeed(PlaybackSpeed::Half); }},
        {ID_EDIT_SPEED_NORMAL, [](MainDialog& w, int) { w.run_.chooseSpeed(PlaybackSpeed::Normal); }},
        {ID_EDIT_SPEED_DOUBLE, [](MainDialog& w, int) { w.run_.chooseSpeed(PlaybackSpeed::Double); }},
        {ID_EDIT_SPEED_QUADRUPLE, [](MainDialog& w, int) { w.run_.chooseSpeed(PlaybackSpeed::Quadruple); }},
        {ID_EDIT_STOP_ON_INPUT, [](MainDialog& w, int) { w.run_.toggleStopOnManualInput(); }},
        {IDC_LOOP, [](MainDialog& w, int) { w.syncLoopBoxes(), w.run_.loopBoxClicked(); }},
        {IDC_LOOP_MAX, [](MainDialog& w, int) { w.run_.loopBoxClicked(); }},
        {IDC_LOOP_COUNT,
         [](MainDialog& w, int code) {
             if (code == EN_CHANGE) w.run_.loopCountTyped(w.textAsInt(IDC_LOOP_COUNT));
         }},
        // record
        {IDC_AUTO_RECORD, [](MainDialog& w, int) { w.record_.record(); }},
        {ID_EDIT_AUTO_RECORD, [](MainDialog& w, int) { w.record_.record(); }},
        // edit
        {IDC_ADD_AT_END, [](MainDialog& w, int) { w.edit_.addAtEnd(); }},
        {ID_EDIT_ADD_AT_END, [](MainDialog& w, int) { w.edit_.addAtEnd(); }},
        {IDC_INSERT_BEFORE, [](MainDialog& w, int) { w.edit_.insertBefore(); }},
        {ID_EDIT_INSERT_BEFORE, [](MainDialog& w, int) { w.edit_.insertBefore(); }},
        {IDC_DELETE, [](MainDialog& w, int) { w.edit_.deleteSelected(); }},
        {ID_EDIT_DELETE, [](MainDialog& w, int) { w.edit_.deleteSelected(); }},
        {IDC_EDIT, [](MainDialog& w, int) { w.edit_.editSelected(); }},
        {ID_EDIT_EDIT, [](MainDialog& w, int) { w.edit_.editSelected(); }},
        {ID_EDIT_COPY_ACTIONS, [](MainDialog& w, int) { w.edit_.copySelected(); }},
        {ID_EDIT_PASTE_BEFORE, [](MainDialog& w, int) { w.edit_.pasteBefore(); }},
        {ID_EDIT_PASTE_AFTER, [](MainDialog& w, int) { w.edit_.pasteAfter(); }},
        {ID_EDIT_PRE_WAIT_PLUS, [](MainDialog& w, int) { w.edit_.shiftAllWaits(WaitKind::Pre, kWaitShiftMs); }},
        {ID_EDIT_PRE_WAIT_MINUS, [](MainDialog& w, int) { w.edit_.shiftAllWaits(WaitKind::Pre, -kWaitShiftMs); }},
        {ID_EDIT_POST_WAIT_PLUS, [](MainDialog& w, int) { w.edit_.shiftAllWaits(WaitKind::Post, kWaitShiftMs); }},
        {ID_EDIT_POST_WAIT_MINUS, [](MainDialog& w, int) { w.edit_.shiftAllWaits(WaitKind::Post, -kWaitShiftMs); }},
        {ID_EDIT_BULK_TEXT, [](MainDialog& w, int) { w.edit_.bulkTextEdit(); }},
        // files
        {ID_FILE_NEW, [](MainDialog& w, int) { w.files_.newMacro(); }},  // the menu ignores the answer
        {ID_FILE_SAVE, [](MainDialog& w, int) { w.files_.save(); }},
        {ID_FILE_SAVE_AS, [](MainDialog& w, int) { w.files_.saveAs(); }},
        {ID_FILE_OPEN, [](MainDialog& w, int) { w.files_.open(); }},
        {ID_FILE_IMPORT, [](MainDialog& w, int) { w.files_.import(); }},
        {ID_FILE_EXIT, [](MainDialog& w, int) { w.onOk(); }},
        // shortcuts
        {ID_FILE_SHORTCUT_NORMAL, [](MainDialog& w, int) { w.shortcuts_.createShortcut("-ONDIG"); }},
        {ID_FILE_SHORTCUT_AUTO, [](MainDialog& w, int) { w.shortcuts_.createShortcut("-NODIG"); }},
        {ID_FILE_SHORTCUT_RANDOM, [](MainDialog& w, int) { w.shortcuts_.createShortcut("-NODR"); }},
        // help
        {ID_HELP_HELP, [](MainDialog& w, int) { w.openHelp(); }},
        {ID_HELP_VERSION, [](MainDialog& w, int) { w.showAbout(); }},
    };
    for (const Route& route : kRoutes) {
        if (route.id != id) continue;
        route.handle(*this, code);
        return true;
    }
    return false;
}

std::optional<LRESULT> MainDialog::onNotify(const NMHDR& header) {
    if (header.idFrom != IDC_ACTION_LIST) return std::nullopt;
    switch (header.code) {
        case NM_CLICK: onRowClick(); return std::nullopt;
        case NM_DBLCLK: edit_.editSelected(); return 0;
        case NM_RCLICK: showContextMenu(); return 0;
        case LVN_KEYDOWN: edit_.onListKey(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey, platform_.keys); return 0;
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
    watchMarker();
    showMarkerFor(row);
    show(WindowShow::InPlace);
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
        case kStepTimer: run_.onStepTimer(); return true;
        case kRecorderTimer: record_.onRecorderTimer(); return true;
        case kAutoRunTimer:
            KillTimer(hwnd(), kAutoRunTimer);
            run_.run();
            return true;
        default: return false;
    }
}

bool MainDialog::onSize(UINT type, int /*cx*/, int /*cy*/) {
    layout(type);
    run_.onResized();  // any size change during a run asks it to stop
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
        enable(IDC_RESUME, player_.resumable() == 1);
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
    record_.stopBeforeClose();  // so the answer to the question is not recorded
    if (player_.modified() == 1 && !player_.actions().empty()) {
        const Answer answer = prompter_.askYesNoCancel(kSaveQuestion);
        if (answer == Answer::Cancel) return true;
        // Yes and then nothing saved (chooser cancelled, write failed): closing now would
        // lose the macro, so the window stays open.
        if (answer == Answer::Yes && files_.save() != SaveOutcome::Saved) return true;
    }
    stopTimer(CommandTimer::Step);
    stopTimer(CommandTimer::Recorder);
    player_.endRun();  // a button the run left down is released
    markerWatched_ = false;
    if (closeAllowed(platform_.keys)) end(IDCANCEL);  // both stop keys held: stay open
    return true;
}

bool MainDialog::onSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_SYS_ABOUT) return false;
    showAbout();
    return true;
}

// Files dropped on the window: the first one is loaded; the drop handle is released.
bool MainDialog::onDropFiles(HDROP drop) {
    // Read wide: the ANSI query would hand over a best-fit look-alike of a name the code
    // page cannot hold, which may name another file.
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, 0, wide.data(), length + 1);
    wide.resize(copied <= length ? copied : 0);
    DragFinish(drop);
    if (wide.empty()) return true;
    std::optional<std::string> path = wideToAnsiExactly(wide);
    if (!path) {
        prompter_.inform(kUnusableFileNameText);
        return true;
    }
    constexpr size_t kMaxDroppedPathBytes = 255;  // as the ANSI query's buffer cut it
    if (path->size() > kMaxDroppedPathBytes) path->resize(kMaxDroppedPathBytes);
    files_.drop(*path);
    return true;
}

std::optional<INT_PTR> MainDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_QUERYDRAGICON) return reinterpret_cast<INT_PTR>(appIcon_);
    if (message == kMarkerEditMessage) return editThroughMarker(), TRUE;
    if (auto handled = onAutoRunMessage(message, lParam)) return handled;
    if (message == WM_HELP) return openHelp(), TRUE;  // F1
    return std::nullopt;
}

// Opens main.html beside the program through the shell.
void MainDialog::openHelp() {
    // Without the program's whole path there is no telling where the help lies.
    const std::optional<std::string> program = ownModulePath();
    const std::optional<std::string> help = program ? helpFilePath(*program, codePage_) : std::nullopt;
    if (help) opener_.open(ansiToWide(*help));
}

void MainDialog::showAbout() {
    AboutDialog about(instance(), opener_);
    about.runModal(hwnd());
}

// Auto-run: the run starts on kAutoRunTimer, which is set once the dialog loop has shown
// the window (onAutoRunMessage).
void MainDialog::armAutoRun() {
    autoRunStart_.begin();
    PostMessageW(hwnd(), kAutoRunLoopMessage, 0, 0);
}

// WM_WINDOWPOSCHANGING and kAutoRunLoopMessage on their way to an auto-run; nullopt for
// the dialog's default handling.
std::optional<INT_PTR> MainDialog::onAutoRunMessage(UINT message, LPARAM lParam) {
    if (message == kAutoRunLoopMessage) {
        if (autoRunStart_.onLoopRunning(IsWindowVisible(hwnd()) != FALSE))
            SetTimer(hwnd(), kAutoRunTimer, kAutoRunSettleMs, nullptr);
        return TRUE;
    }
    if (message != WM_WINDOWPOSCHANGING) return std::nullopt;
    auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
    if ((position.flags & SWP_SHOWWINDOW) == 0) return std::nullopt;
    switch (autoRunStart_.onShow()) {
        case AutoRunStart::Show::Hold: position.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW); break;
        case AutoRunStart::Show::AllowAndStart: SetTimer(hwnd(), kAutoRunTimer, kAutoRunSettleMs, nullptr); break;
        case AutoRunStart::Show::Allow: break;
    }
    return std::nullopt;
}

}  // namespace tappling
