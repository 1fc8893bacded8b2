#include "ui/main/MainDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "resources/resource.h"
#include "ui/UiFakes.h"

namespace tappling {
namespace {

std::wstring cellText(HWND list, int row, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::wstring caption(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

// Pumps messages until done() holds or a generous deadline passes.
bool pumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
    return true;
}

void pump() {
    pumpUntil([] { return false; }, 50);
}

ActionRecord record(ActionType type, int32_t x, int32_t y) {
    ActionRecord r;
    r.actionType = type;
    r.x = x;
    r.y = y;
    return r;
}

class MainDialogTest : public ::testing::Test {
protected:
    MainDialogTest() : window(GetModuleHandleW(nullptr), fakes.platform, {&prompter, nullptr, &dialogs}) {}
    ~MainDialogTest() override {
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pump();
    }
    HWND open() {
        HWND hwnd = window.createModeless();
        EXPECT_NE(hwnd, nullptr);
        pump();
        return hwnd;
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    TestPlatform fakes;
    TestPrompter prompter;
    TestFileDialogs dialogs;
    MainDialog window;
};

TEST_F(MainDialogTest, ColumnsAndRowTexts) {
    ActionRecord click = record(ActionType::LeftClick, 10, 20);
    click.preWaitMs = 1500;
    click.comment = "\x83\x81\x83\x82";  // "メモ" in code page 932
    ActionRecord wait = record(ActionType::WaitOnly, 5, 6);
    ActionRecord condition = record(ActionType::Condition, 30, 40);
    condition.firstLoopOnly = 1;
    condition.repeatCount = 3;
    window.player().actions().append(click);
    window.player().actions().append(wait);
    window.player().actions().append(condition);
    open();
    HWND list = window.list();
    ASSERT_EQ(ListView_GetItemCount(list), 3);

    HWND header = ListView_GetHeader(list);
    ASSERT_EQ(Header_GetItemCount(header), 9);
    const wchar_t* titles[] = {L"No", L"Memo", L"x", L"y", L"BW", L"Act", L"AW", L"Loop", L"ST"};
    const int widths[] = {36, 100, 36, 36, 36, 120, 36, 36, 25};
    for (int i = 0; i < 9; ++i) {
        wchar_t buffer[32] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = buffer;
        column.cchTextMax = 32;
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        EXPECT_EQ(std::wstring(buffer), titles[i]);
        EXPECT_EQ(column.cx, widths[i]);
    }
    const DWORD extended = ListView_GetExtendedListViewStyle(list);
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL);

    EXPECT_EQ(cellText(list, 0, 0), L"1");
    EXPECT_EQ(cellText(list, 0, 1), L"メモ");
    EXPECT_EQ(cellText(list, 0, 2), L"10");
    EXPECT_EQ(cellText(list, 0, 3), L"20");
    EXPECT_EQ(cellText(list, 0, 4), L"1500");
    EXPECT_EQ(cellText(list, 0, 8), L"");
    EXPECT_EQ(cellText(list, 1, 2), L"-");
    EXPECT_EQ(cellText(list, 1, 3), L"-");
    EXPECT_EQ(cellText(list, 2, 0), L"3");
    EXPECT_EQ(cellText(list, 2, 2), L"30");
    EXPECT_EQ(cellText(list, 2, 7), L"3");
    EXPECT_EQ(cellText(list, 2, 8), L"○");
    EXPECT_FALSE(cellText(list, 2, 5).empty());
}

TEST_F(MainDialogTest, EmptyListStillShowsLoopValues) {
    window.player().macro.loopEnabled = 1;
    window.player().macro.loopLimited = 1;
    window.player().macro.loopCount = 10;
    open();
    EXPECT_EQ(ListView_GetItemCount(window.list()), 0);
    EXPECT_EQ(window.checked(IDC_LOOP), 1);
    EXPECT_EQ(window.checked(IDC_LOOP_MAX), 1);
    EXPECT_EQ(window.text(IDC_LOOP_COUNT), L"10");
    EXPECT_TRUE(IsWindowEnabled(window.item(IDC_LOOP_MAX)));
    EXPECT_TRUE(IsWindowEnabled(window.item(IDC_LOOP_COUNT)));
}

TEST_F(MainDialogTest, LoopBoxClickEnablesAndMarksModified) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    EXPECT_FALSE(IsWindowEnabled(window.item(IDC_LOOP_MAX)));
    MacroPlayerTestAccess::setResumable(window.player(), 1);
    window.setChecked(IDC_LOOP, 1);
    command(IDC_LOOP);
    EXPECT_TRUE(IsWindowEnabled(window.item(IDC_LOOP_MAX)));
    EXPECT_TRUE(IsWindowEnabled(window.item(IDC_LOOP_COUNT)));
    EXPECT_EQ(window.loopChecked, 1);
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_EQ(window.player().resumable(), 0);

    window.setChecked(IDC_LOOP_MAX, 1);
    window.setText(IDC_LOOP_COUNT, L" 7abc");
    window.readLoopControls();
    EXPECT_EQ(window.player().macro.loopEnabled, 1);
    EXPECT_EQ(window.player().macro.loopLimited, 1);
    EXPECT_EQ(window.player().macro.loopCount, 7);
    window.setText(IDC_LOOP_COUNT, L"x");
    window.readLoopControls();
    EXPECT_EQ(window.player().macro.loopCount, 0);
}

// Typing another loop count marks the macro changed, so closing asks before losing it; the
// rebuild's own text does not.
TEST_F(MainDialogTest, TypedLoopCountMarksModified) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    window.player().macro.loopEnabled = 1;
    window.player().macro.loopCount = 10;
    open();
    window.refreshList();
    EXPECT_EQ(window.player().modified(), 0);
    MacroPlayerTestAccess::setResumable(window.player(), 1);
    window.setText(IDC_LOOP_COUNT, L"10");
    EXPECT_EQ(window.player().modified(), 0);
    window.setText(IDC_LOOP_COUNT, L"20");
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_EQ(window.player().resumable(), 1);
    EXPECT_EQ(window.player().macro.loopCount, 10);  // reaches the macro at the next save or run
}

TEST_F(MainDialogTest, Captions) {
    window.currentFilePath = "C:\\macro\\a.TPM";
    HWND hwnd = open();
    EXPECT_EQ(caption(hwnd), L"Tappling a.TPM");
    window.player().macro.loopEnabled = 1;
    window.player().macro.loopLimited = 1;
    window.player().macro.loopCount = 10;
    window.updateTitleProgress(3);
    EXPECT_EQ(caption(hwnd), L" [ 3 / 10 ] Tappling a.TPM");
    window.player().macro.loopLimited = 0;
    window.updateTitleProgress(3);
    EXPECT_EQ(caption(hwnd), L" [ 3 ] Tappling a.TPM");
    window.currentFilePath.clear();
    window.updateTitle();
    EXPECT_EQ(caption(hwnd), L"Tappling ");
}

TEST_F(MainDialogTest, AutoRunKeepsTemplateCaption) {
    window.currentFilePath = "C:\\macro\\a.TPM";
    window.autoRunMode = 1;  // an empty list: the run does nothing
    HWND hwnd = open();
    EXPECT_EQ(caption(hwnd), L"Tappling");
    window.updateTitleProgress(2);
    EXPECT_EQ(caption(hwnd), L"Tappling");
}

TEST_F(MainDialogTest, SystemMenuHasVersionItem) {
    HWND hwnd = open();
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, IDM_SYS_ABOUT, buffer, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(buffer), L"バージョン情報");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_SYS_ABOUT));
}

TEST_F(MainDialogTest, ResumeButtonFollowsResumableAtPaint) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    HWND hwnd = open();
    UpdateWindow(hwnd);
    EXPECT_FALSE(IsWindowEnabled(window.item(IDC_RESUME)));
    MacroPlayerTestAccess::setResumable(window.player(), 1);
    window.refreshList();
    UpdateWindow(hwnd);
    EXPECT_TRUE(IsWindowEnabled(window.item(IDC_RESUME)));
    MacroPlayerTestAccess::setResumable(window.player(), 0);
    window.refreshList();
    UpdateWindow(hwnd);
    EXPECT_FALSE(IsWindowEnabled(window.item(IDC_RESUME)));
}

TEST_F(MainDialogTest, LowerWindowHidesUpperButtons) {
    HWND hwnd = open();
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT listBefore{};
    GetWindowRect(window.list(), &listBefore);
    RECT runBefore{};
    GetWindowRect(window.item(IDC_RUN), &runBefore);

    SetWindowPos(hwnd, nullptr, 0, 0, width + 40, height - 30, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    for (int id : {IDC_ADD_AT_END, IDC_INSERT_BEFORE, IDC_DELETE, IDC_EDIT, IDC_AUTO_RECORD})
        EXPECT_FALSE(IsWindowVisible(window.item(id))) << id;
    EXPECT_TRUE(IsWindowVisible(window.item(IDC_RUN)));
    RECT listAfter{};
    GetWindowRect(window.list(), &listAfter);
    EXPECT_EQ((listAfter.right - listAfter.left) - (listBefore.right - listBefore.left), 40);
    EXPECT_EQ((listAfter.bottom - listAfter.top) - (listBefore.bottom - listBefore.top), -30);
    RECT runAfter{};
    GetWindowRect(window.item(IDC_RUN), &runAfter);
    EXPECT_EQ(runAfter.left - runBefore.left, 40);
    EXPECT_EQ(runAfter.top - runBefore.top, -30);

    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    for (int id : {IDC_ADD_AT_END, IDC_INSERT_BEFORE, IDC_DELETE, IDC_EDIT, IDC_AUTO_RECORD})
        EXPECT_TRUE(IsWindowVisible(window.item(id))) << id;
}

TEST_F(MainDialogTest, CancelEndsWithoutQuestionUnlessBothStopKeysHeld) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    fakes.keys.escDown = true;
    fakes.keys.f2Down = true;
    command(IDCANCEL);
    EXPECT_NE(window.hwnd(), nullptr);
    fakes.keys.f2Down = false;
    command(IDCANCEL);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(window.result(), IDCANCEL);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(MainDialogTest, CloseAsksWhenModifiedAndCancelKeepsItOpen) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    prompter.answer = Answer::Cancel;
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "編集中のデータを保存しますか？");
    EXPECT_NE(window.hwnd(), nullptr);

    prompter.answer = Answer::No;
    fakes.keys.escDown = true;
    fakes.keys.f2Down = true;
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_NE(window.hwnd(), nullptr);  // both stop keys held: stays open

    fakes.keys.escDown = false;
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(MainDialogTest, CloseAnsweredYesSavesThroughTheChooser) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    prompter.answer = Answer::Yes;  // no file yet: the chooser is cancelled, nothing is saved
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialogs.calls, 1);
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_NE(window.hwnd(), nullptr);  // so the window stays open with the macro

    prompter.answer = Answer::No;
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(MainDialogTest, CloseAnsweredYesStaysOpenWhenTheSaveFails) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    window.currentFilePath = "C:\\no such folder here\\a.TPM";
    open();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    prompter.answer = Answer::Yes;
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(prompter.messages.size(), 1u);  // the write error
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_NE(window.hwnd(), nullptr);
}

TEST_F(MainDialogTest, ExitEndsAsOk) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    command(ID_FILE_EXIT);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(window.result(), IDOK);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(MainDialogTest, RunFinishesAndReports) {
    ActionRecord wait = record(ActionType::WaitOnly, 0, 0);
    wait.preWaitMs = 0;
    wait.postWaitMs = 0;
    window.player().actions().append(wait);
    window.player().actions().append(wait);
    HWND hwnd = open();
    command(IDC_RUN);
    EXPECT_TRUE(IsIconic(hwnd));
    ASSERT_TRUE(pumpUntil([&] { return !prompter.messages.empty(); }));
    EXPECT_EQ(prompter.messages[0], "終了");
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_EQ(window.player().runState, RunState::Idle);
    EXPECT_EQ(caption(hwnd), L"Tappling ");
}

TEST_F(MainDialogTest, RestoringDuringARunStopsIt) {
    ActionRecord wait = record(ActionType::WaitOnly, 0, 0);
    wait.preWaitMs = 600000;
    window.player().actions().append(wait);
    HWND hwnd = open();
    command(ID_EDIT_RUN);
    ASSERT_EQ(window.player().runState, RunState::Running);
    ShowWindow(hwnd, SW_RESTORE);
    ASSERT_TRUE(pumpUntil([&] { return !prompter.messages.empty(); }));
    EXPECT_EQ(prompter.messages[0], "中断");
    EXPECT_EQ(window.player().resumable(), 0);
}

TEST_F(MainDialogTest, AutoRunWaitsForTheDialogLoopsShowThenAUserRestoreStillStopsIt) {
    ActionRecord wait = record(ActionType::WaitOnly, 0, 0);
    wait.preWaitMs = 600000;
    window.player().actions().append(wait);
    window.autoRunMode = 1;
    HWND hwnd = open();
    pumpUntil([] { return false; }, 400);  // longer than the settle time
    EXPECT_FALSE(IsWindowVisible(hwnd));    // held until the dialog loop shows it
    EXPECT_EQ(window.player().runState, RunState::Idle);
    ShowWindow(hwnd, SW_SHOWNORMAL);  // what the modal loop does when its queue first runs empty
    ASSERT_TRUE(pumpUntil([&] { return window.player().runState == RunState::Running; }));
    EXPECT_TRUE(IsIconic(hwnd));
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);  // the user, from the task bar
    ASSERT_TRUE(pumpUntil([&] { return window.hwnd() == nullptr; }));  // stopped and closed as OK
    EXPECT_EQ(window.result(), IDOK);
}

TEST_F(MainDialogTest, ResumeMenuWithoutStoppedRunSaysSo) {
    window.player().actions().append(record(ActionType::LeftClick, 1, 1));
    open();
    command(ID_EDIT_RESUME);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "「再開」処理は実行できません");
}

TEST_F(MainDialogTest, RowClickShowsMarkerAtTheAction) {
    window.player().actions().append(record(ActionType::LeftClick, 123, 45));
    window.player().actions().append(record(ActionType::WaitOnly, 0, 0));
    open();
    HWND list = window.list();
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    NMHDR click{list, IDC_ACTION_LIST, static_cast<UINT>(NM_CLICK)};
    SendMessageW(window.hwnd(), WM_NOTIFY, IDC_ACTION_LIST, reinterpret_cast<LPARAM>(&click));
    ASSERT_NE(window.marker().window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window.marker().window()));
    EXPECT_EQ(window.marker().mode(), PositionMarker::Mode::Locked);
    EXPECT_EQ(window.marker().actionIndex(), 0);
    EXPECT_EQ(window.marker().current().x, 123);
    EXPECT_EQ(window.marker().current().y, 45);

    ListView_SetItemState(list, 0, 0, LVIS_SELECTED);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(window.hwnd(), WM_NOTIFY, IDC_ACTION_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(IsWindowVisible(window.marker().window()));
}

// The view holds no rows of its own: after every rebuild its rows are the list's, none is
// selected and the first row is at the top, also for a large list.
TEST_F(MainDialogTest, RebuildFollowsTheListWithNoSelectionAtTheTop) {
    for (int i = 0; i < 2000; ++i) window.player().actions().append(record(ActionType::LeftClick, i, 2 * i));
    open();
    HWND list = window.list();
    ASSERT_EQ(ListView_GetItemCount(list), 2000);
    EXPECT_EQ(cellText(list, 1999, 0), L"2000");
    EXPECT_EQ(cellText(list, 1999, 3), L"3998");

    ListView_SetItemState(list, 1500, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, 1500, FALSE);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1500);
    EXPECT_GT(ListView_GetTopIndex(list), 0);

    window.player().actions().removeAt(0);
    window.player().actions().replaceAt(0, record(ActionType::WaitOnly, 7, 8));
    window.refreshList();
    EXPECT_EQ(ListView_GetItemCount(list), 1999);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_EQ(cellText(list, 0, 0), L"1");
    EXPECT_EQ(cellText(list, 0, 2), L"-");  // the texts of the changed row, not the kept ones
    EXPECT_EQ(cellText(list, 1998, 2), L"1999");
    EXPECT_EQ(cellText(list, 1999, 0), L"");  // past the end

    window.player().actions().clear();
    window.refreshList();
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

// Typing in the list searches the rows' numbers as a list view does: a letter matches no
// row and leaves the selection alone; "1" goes on to the next row whose number starts with 1.
TEST_F(MainDialogTest, TypingInTheListSearchesTheRowNumbers) {
    for (int i = 0; i < 12; ++i) window.player().actions().append(record(ActionType::LeftClick, i, i));
    open();
    HWND list = window.list();
    SetFocus(list);
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, WM_CHAR, L'z', 1);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
    Sleep(1100);  // a new search, not "z1"
    SendMessageW(list, WM_CHAR, L'1', 1);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 9);
}

TEST_F(MainDialogTest, QueryDragIconGivesTheAppIcon) {
    HWND hwnd = open();
    EXPECT_NE(SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0), 0);
}

}  // namespace
}  // namespace tappling
