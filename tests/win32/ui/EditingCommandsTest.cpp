// The editing commands wired into the real main window (their rules are tested natively): the
// list view's selection and scrolling, the save question, the keyboard after a real row click.
#include "ui/main/MainDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32KeyState.h"
#include "resources/resource.h"
#include "ui/UiFakes.h"

namespace tappling {
namespace {

using test::pumpFor;

// The fixture answers for the user: the editor moves the action to `answer`, or cancels.
class EditingCommandsTest : public ::testing::Test, public ActionDialogs {
protected:
    explicit EditingCommandsTest(KeyState* keys = nullptr)
        : platform(fakes.clock, fakes.input, keys != nullptr ? *keys : fakes.keys, fakes.screen, fakes.clipboard,
                   fakes.shell, fakes.power, fakes.random),
          window(GetModuleHandleW(nullptr), platform, {&prompter, nullptr, &fileDialogs, nullptr, this}) {}
    ~EditingCommandsTest() override {
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pumpFor(20);
    }
    // Rows of clicks at (900, 700 + row).
    void open(int32_t rows) {
        ActionRecord r;
        for (r.x = 900, r.y = 700; r.y < 700 + rows; ++r.y) window.player().actions().append(r);
        ASSERT_NE(window.createModeless(), nullptr);
        pumpFor(20);
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void notify(UINT code) {
        NMHDR header{window.list(), IDC_ACTION_LIST, code};
        SendMessageW(window.hwnd(), WM_NOTIFY, IDC_ACTION_LIST, reinterpret_cast<LPARAM>(&header));
    }
    void select(std::initializer_list<int> rows) {
        ListView_SetItemState(window.list(), -1, 0, LVIS_SELECTED);
        for (int row : rows) ListView_SetItemState(window.list(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    std::vector<int> selectedRows() {
        std::vector<int> rows;
        for (int row = -1; (row = ListView_GetNextItem(window.list(), row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
        return rows;
    }
    bool closeAsks() {
        prompter.questions.clear();
        prompter.answer = Answer::Cancel;  // the window stays open
        SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
        return prompter.questions == std::vector<std::string>{"編集中のデータを保存しますか？"};
    }

    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override {
        editedRows.push_back(IsIconic(window.hwnd()) ? rowNumber : -rowNumber);
        if (!answer) return std::nullopt;
        ActionRecord edited = copy;
        edited.x = answer->x, edited.y = answer->y;
        return edited;
    }
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList&) override {
        bulkCalls.push_back(numberList + "|" + newText);
        return true;
    }

    std::optional<POINT> answer;
    std::vector<int32_t> editedRows;  // the row numbers the editor got, negative when the window was not minimized
    std::vector<std::string> bulkCalls;
    TestPlatform fakes;
    Platform platform;
    TestPrompter prompter;
    TestFileDialogs fileDialogs;
    MainDialog window;
};

TEST_F(EditingCommandsTest, CommandsWithoutASelectionSaySo) {
    open(3);
    const std::string edit = "レコードを選択して編集してください", del = "レコードを選択して削除してください",
                      pick = "レコードを選択してください";
    const std::pair<int, std::string> cases[] = {
        {IDC_INSERT_BEFORE, edit}, {ID_EDIT_INSERT_BEFORE, edit}, {IDC_EDIT, edit},
        {ID_EDIT_EDIT, edit},      {IDC_DELETE, del},             {ID_EDIT_DELETE, del},
        {ID_EDIT_COPY_ACTIONS, pick}, {ID_EDIT_PASTE_BEFORE, pick}, {ID_EDIT_PASTE_AFTER, pick},
        {0, edit},  // a double click on the list
    };
    for (const auto& [id, message] : cases) {
        prompter.messages.clear();
        id != 0 ? command(id) : notify(NM_DBLCLK);
        EXPECT_EQ(prompter.messages, std::vector<std::string>{message}) << id;
    }
    EXPECT_TRUE(editedRows.empty());
    EXPECT_EQ(window.player().actions().size(), 3);
}

TEST_F(EditingCommandsTest, EditorRunsMinimizedAndTheChangedRowIsShown) {
    open(80);
    select({20, 30});
    answer = POINT{5, 5};
    command(ID_EDIT_INSERT_BEFORE);  // before the last selected row, scrolled to the top with the focus
    EXPECT_EQ(window.player().actions().at(30).x, 5);
    EXPECT_EQ(window.player().actions().at(31).y, 730);
    EXPECT_EQ(selectedRows(), std::vector<int>{30});
    EXPECT_EQ(ListView_GetTopIndex(window.list()), 30);
    EXPECT_EQ(GetFocus(), window.list());

    answer = POINT{300, 200};
    command(IDC_ADD_AT_END);
    EXPECT_FALSE(IsIconic(window.hwnd()));
    ASSERT_EQ(ListView_GetItemCount(window.list()), 82);
    EXPECT_EQ(selectedRows(), std::vector<int>{81});
    EXPECT_EQ(ListView_GetTopIndex(window.list()), 82 - ListView_GetCountPerPage(window.list()));  // as far as it goes
    EXPECT_TRUE(IsWindowVisible(window.marker().window()));
    EXPECT_EQ(window.marker().current().x, 300);
    EXPECT_EQ(window.marker().current().y, 200);
    EXPECT_EQ(editedRows, (std::vector<int32_t>{31, 82}));
}

// Pasted after the last row: the row after the block does not exist, so none is selected.
TEST_F(EditingCommandsTest, PasteAfterTheLastRowSelectsNothing) {
    open(3);
    select({2});
    command(ID_EDIT_COPY_ACTIONS);
    command(ID_EDIT_PASTE_AFTER);
    ASSERT_EQ(ListView_GetItemCount(window.list()), 4);
    EXPECT_EQ(window.player().actions().at(3).y, 702);
    EXPECT_TRUE(selectedRows().empty());
    EXPECT_EQ(window.player().modified(), 1);
}

// Changes that once left `modified` alone: the close must ask before they are lost.
TEST_F(EditingCommandsTest, MarkerEditWaitShiftsAndBulkEditMakeTheCloseAsk) {
    open(4);
    MacroPlayerTestAccess::setResumable(window.player(), 1);
    for (int id : {ID_EDIT_PRE_WAIT_PLUS, ID_EDIT_PRE_WAIT_MINUS, ID_EDIT_POST_WAIT_PLUS, ID_EDIT_POST_WAIT_MINUS,
                   ID_EDIT_BULK_TEXT}) {
        MacroPlayerTestAccess::setModified(window.player(), 0);
        select({1, 3});
        command(id);
        EXPECT_EQ(window.player().modified(), 1) << id;
        EXPECT_TRUE(closeAsks()) << id;
    }
    EXPECT_EQ(bulkCalls, std::vector<std::string>{"2,4|"});
    EXPECT_EQ(window.player().resumable(), 1);

    // A row click watches the marker; a double click on the locked marker asks for the editor.
    MacroPlayerTestAccess::setModified(window.player(), 0);
    select({2});
    notify(NM_CLICK);
    ASSERT_TRUE(IsWindowVisible(window.marker().window()));
    answer = POINT{111, 5};
    SendMessageW(window.marker().window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(test::pumpUntil([&] { return !editedRows.empty(); }, 2000));
    EXPECT_EQ(window.player().actions().at(2).x, 111);
    EXPECT_EQ(selectedRows(), std::vector<int>{2});
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_EQ(window.player().resumable(), 1);
    EXPECT_TRUE(closeAsks());
    pumpFor(50);
    EXPECT_EQ(editedRows, std::vector<int32_t>{3});  // the watch ended with the request
}

// The list keeps the keyboard when a click on a row shows the marker: real clicks and
// real key presses, Ctrl read from the real key state.
class EditingCommandsRealInputTest : public EditingCommandsTest {
protected:
    EditingCommandsRealInputTest() : EditingCommandsTest(&realKeys) {}
    static Win32KeyState realKeys;

    // Clicks row `row`, then presses the chord and lets it go in reverse order.
    void clickRowThenKeys(int row, std::vector<uint8_t> chord) {
        RECT cell{};
        ListView_GetItemRect(window.list(), row, &cell, LVIR_LABEL);
        POINT point{cell.left + 5, (cell.top + cell.bottom) / 2};
        ClientToScreen(window.list(), &point);
        input.setCursorPos(point.x, point.y);
        pumpFor(30);
        input.mouseButton(kLeftDown);
        pumpFor(30);
        input.mouseButton(kLeftUp);
        pumpFor(GetDoubleClickTime() + 50);  // the next click must not make a double click
        for (uint8_t vk : chord) input.key(vk, kKeyDown), pumpFor(60);
        for (auto vk = chord.rbegin(); vk != chord.rend(); ++vk) input.key(*vk, KEYEVENTF_KEYUP), pumpFor(60);
    }

    Win32Input input;
};
Win32KeyState EditingCommandsRealInputTest::realKeys;

TEST_F(EditingCommandsRealInputTest, CtrlKeysAndDeleteWorkRightAfterARowClick) {
    open(4);
    SetWindowPos(window.hwnd(), HWND_TOP, 50, 50, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(window.hwnd());
    pumpFor(100);
    const ActionList& actions = window.player().actions();
    const std::vector<ActionRecord>& buffer = window.player().copyBuffer;

    clickRowThenKeys(1, {VK_CONTROL, 'C'});
    EXPECT_TRUE(IsWindowVisible(window.marker().window()));
    EXPECT_EQ(window.marker().current().y, 701);
    EXPECT_EQ(GetFocus(), window.list());
    ASSERT_EQ(buffer.size(), 1u);
    EXPECT_EQ(buffer[0].y, 701);

    clickRowThenKeys(3, {VK_CONTROL, 'V'});  // before row 4
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions.at(3).y, 701);
    EXPECT_EQ(actions.at(4).y, 703);

    clickRowThenKeys(0, {VK_CONTROL, 'X'});
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions.at(0).y, 701);
    EXPECT_EQ(buffer[0].y, 700);

    clickRowThenKeys(2, {VK_DELETE});
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions.at(2).y, 703);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace tappling
