// The editing commands in the real main window: routing from buttons, menus, the list's
// notifications and the marker poll; the list view's selection and scrolling; the window
// minimized around the editor; the save question after every change; and the list's
// keyboard right after a real click on a row.
#include "ui/main/MainDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32KeyState.h"
#include "resources/resource.h"
#include "ui/UiFakes.h"

namespace tappling {
namespace {

using test::pumpFor;
using test::pumpUntil;

// The user's answers in the action editor and the bulk text edit.
class ScriptedActionDialogs final : public ActionDialogs {
public:
    struct EditorCall {
        ActionRecord copy;
        int32_t rowNumber;
        bool ownerMinimized;
    };
    HWND owner = nullptr;
    std::vector<EditorCall> editorCalls;
    std::function<std::optional<ActionRecord>(const ActionRecord&)> answer = [](const ActionRecord&) {
        return std::nullopt;
    };
    bool bulkChanges = true;
    std::vector<std::string> bulkCalls;

    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override {
        editorCalls.push_back({copy, rowNumber, IsIconic(owner) != FALSE});
        return answer(copy);
    }
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList&) override {
        bulkCalls.push_back(numberList + "|" + newText);
        return bulkChanges;
    }
};

ActionRecord click(int32_t x, int32_t y) {
    ActionRecord r;
    r.x = x;
    r.y = y;
    return r;
}

std::vector<int> selectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1; (row = ListView_GetNextItem(list, row, LVNI_SELECTED)) >= 0;) rows.push_back(row);
    return rows;
}

class EditingCommandsTest : public ::testing::Test {
protected:
    explicit EditingCommandsTest(KeyState* keys = nullptr)
        : platform(fakes.clock, fakes.input, keys != nullptr ? *keys : fakes.keys, fakes.screen, fakes.clipboard,
                   fakes.shell, fakes.power, fakes.random),
          window(GetModuleHandleW(nullptr), platform, {&prompter, nullptr, &fileDialogs, nullptr, &actionDialogs}) {}
    ~EditingCommandsTest() override {
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pumpFor(20);
    }
    void open(int rows, int32_t x = 900, int32_t y = 700) {
        for (int i = 0; i < rows; ++i) window.player().actions().append(click(x, y + i));
        ASSERT_NE(window.createModeless(), nullptr);
        actionDialogs.owner = window.hwnd();
        pumpFor(20);
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void notify(UINT code) {
        NMHDR header{window.list(), IDC_ACTION_LIST, code};
        SendMessageW(window.hwnd(), WM_NOTIFY, IDC_ACTION_LIST, reinterpret_cast<LPARAM>(&header));
    }
    void select(std::initializer_list<int> rows) {
        for (int row : rows) ListView_SetItemState(window.list(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    bool closeAsks() {
        prompter.questions.clear();
        prompter.answer = Answer::Cancel;  // the window stays open for the next case
        SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
        return prompter.questions == std::vector<std::string>{"編集中のデータを保存しますか？"};
    }

    TestPlatform fakes;
    Platform platform;
    TestPrompter prompter;
    TestFileDialogs fileDialogs;
    ScriptedActionDialogs actionDialogs;
    MainDialog window;
};

TEST_F(EditingCommandsTest, CommandsWithoutASelectionSaySo) {
    open(3);
    const std::pair<int, const char*> cases[] = {
        {IDC_INSERT_BEFORE, "レコードを選択して編集してください"},
        {ID_EDIT_INSERT_BEFORE, "レコードを選択して編集してください"},
        {IDC_EDIT, "レコードを選択して編集してください"},
        {ID_EDIT_EDIT, "レコードを選択して編集してください"},
        {IDC_DELETE, "レコードを選択して削除してください"},
        {ID_EDIT_DELETE, "レコードを選択して削除してください"},
        {ID_EDIT_COPY_ACTIONS, "レコードを選択してください"},
        {ID_EDIT_PASTE_BEFORE, "レコードを選択してください"},
        {ID_EDIT_PASTE_AFTER, "レコードを選択してください"},
    };
    for (const auto& [id, message] : cases) {
        prompter.messages.clear();
        command(id);
        EXPECT_EQ(prompter.messages, std::vector<std::string>{message}) << id;
    }
    prompter.messages.clear();
    notify(NM_DBLCLK);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"レコードを選択して編集してください"});
    EXPECT_TRUE(actionDialogs.editorCalls.empty());
    EXPECT_EQ(window.player().actions().size(), 3);
}

TEST_F(EditingCommandsTest, AddRunsTheEditorMinimizedAndShowsTheNewRowAtTheTop) {
    open(40);
    actionDialogs.answer = [](const ActionRecord&) { return click(300, 200); };
    command(IDC_ADD_AT_END);
    ASSERT_EQ(actionDialogs.editorCalls.size(), 1u);
    EXPECT_EQ(actionDialogs.editorCalls[0].rowNumber, 41);
    EXPECT_TRUE(actionDialogs.editorCalls[0].ownerMinimized);
    EXPECT_FALSE(IsIconic(window.hwnd()));
    HWND list = window.list();
    ASSERT_EQ(ListView_GetItemCount(list), 41);
    EXPECT_EQ(selectedRows(list), std::vector<int>{40});
    const int perPage = ListView_GetCountPerPage(list);
    EXPECT_EQ(ListView_GetTopIndex(list), 41 - perPage);  // scrolled as far as the list goes
    EXPECT_TRUE(IsWindowVisible(window.marker().window()));
    EXPECT_EQ(window.marker().currentX, 300);
    EXPECT_EQ(window.marker().currentY, 200);
    EXPECT_EQ(window.player().modified, 1);
}

TEST_F(EditingCommandsTest, InsertBeforeTheLastSelectedRowScrollsItToTheTop) {
    open(80);
    select({20, 30});
    actionDialogs.answer = [](const ActionRecord&) { return click(5, 5); };
    command(ID_EDIT_INSERT_BEFORE);
    ASSERT_EQ(actionDialogs.editorCalls.size(), 1u);
    EXPECT_EQ(actionDialogs.editorCalls[0].rowNumber, 31);
    EXPECT_EQ(window.player().actions().at(30).x, 5);
    EXPECT_EQ(window.player().actions().at(31).y, 730);
    EXPECT_EQ(selectedRows(window.list()), std::vector<int>{30});
    EXPECT_EQ(ListView_GetTopIndex(window.list()), 30);
    EXPECT_EQ(GetFocus(), window.list());
}

TEST_F(EditingCommandsTest, DoubleClickEditsTheFirstSelectedRowAndCancelChangesNothing) {
    open(5);
    select({2, 3});
    notify(NM_DBLCLK);
    ASSERT_EQ(actionDialogs.editorCalls.size(), 1u);
    EXPECT_EQ(actionDialogs.editorCalls[0].rowNumber, 3);
    EXPECT_EQ(actionDialogs.editorCalls[0].copy.y, 702);
    EXPECT_TRUE(selectedRows(window.list()).empty());  // cancelled: rebuilt without a selection
    EXPECT_EQ(window.player().modified, 0);
}

// Changes that once left `modified` alone: the close must ask before they are lost.
TEST_F(EditingCommandsTest, MarkerEditWaitShiftsAndBulkEditMakeTheCloseAsk) {
    open(4);
    window.player().resumable = 1;
    for (int id : {ID_EDIT_PRE_WAIT_PLUS, ID_EDIT_PRE_WAIT_MINUS, ID_EDIT_POST_WAIT_PLUS, ID_EDIT_POST_WAIT_MINUS,
                   ID_EDIT_BULK_TEXT}) {
        window.player().modified = 0;
        select({1, 3});
        command(id);
        EXPECT_EQ(window.player().modified, 1) << id;
        EXPECT_TRUE(closeAsks()) << id;
    }
    EXPECT_EQ(actionDialogs.bulkCalls, std::vector<std::string>{"2,4|"});
    EXPECT_EQ(window.player().actions().at(0).preWaitMs, 500);
    EXPECT_EQ(window.player().resumable, 1);

    // A row click starts the poll; a double click on the locked marker asks for the editor.
    window.player().modified = 0;
    ListView_SetItemState(window.list(), -1, 0, LVIS_SELECTED);
    select({2});
    notify(NM_CLICK);
    ASSERT_TRUE(IsWindowVisible(window.marker().window()));
    actionDialogs.answer = [](const ActionRecord& copy) {
        ActionRecord edited = copy;
        edited.x = 111;
        return std::optional<ActionRecord>(edited);
    };
    SendMessageW(window.marker().window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_TRUE(pumpUntil([&] { return !actionDialogs.editorCalls.empty(); }, 2000));
    EXPECT_EQ(actionDialogs.editorCalls[0].rowNumber, 3);
    EXPECT_EQ(window.player().actions().at(2).x, 111);
    EXPECT_EQ(selectedRows(window.list()), std::vector<int>{2});
    EXPECT_EQ(window.player().modified, 1);
    EXPECT_EQ(window.player().resumable, 1);
    EXPECT_TRUE(closeAsks());
    pumpFor(50);
    EXPECT_EQ(actionDialogs.editorCalls.size(), 1u);  // the poll stopped with the request
}

// The list keeps the keyboard when a click on a row shows the marker: real clicks and
// real key presses, Ctrl read from the real key state.
class EditingRealInputTest : public EditingCommandsTest {
protected:
    EditingRealInputTest() : EditingCommandsTest(&realKeys) {}
    static Win32KeyState realKeys;

    void clickRow(int row) {
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
    }
    void keys(std::initializer_list<uint8_t> chord) {
        for (uint8_t vk : chord) {
            input.key(vk, kKeyDown);
            pumpFor(60);
        }
        for (auto vk = std::rbegin(chord); vk != std::rend(chord); ++vk) {
            input.key(*vk, KEYEVENTF_KEYUP);
            pumpFor(60);
        }
    }

    Win32Input input;
};
Win32KeyState EditingRealInputTest::realKeys;

TEST_F(EditingRealInputTest, CtrlKeysAndDeleteWorkRightAfterARowClick) {
    open(4);
    SetWindowPos(window.hwnd(), HWND_TOP, 50, 50, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(window.hwnd());
    pumpFor(100);
    const ActionList& actions = window.player().actions();

    clickRow(1);
    ASSERT_TRUE(IsWindowVisible(window.marker().window()));
    EXPECT_EQ(window.marker().currentY, 701);
    EXPECT_EQ(GetFocus(), window.list());
    keys({VK_CONTROL, 'C'});
    ASSERT_EQ(window.player().copyBuffer.size(), 1u);
    EXPECT_EQ(window.player().copyBuffer[0].y, 701);

    clickRow(3);
    keys({VK_CONTROL, 'V'});  // before row 4
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions.at(3).y, 701);
    EXPECT_EQ(actions.at(4).y, 703);

    clickRow(0);
    keys({VK_CONTROL, 'X'});
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions.at(0).y, 701);
    EXPECT_EQ(window.player().copyBuffer[0].y, 700);

    clickRow(2);
    keys({VK_DELETE});
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions.at(2).y, 703);

    clickRow(0);
    keys({'C'});  // without Ctrl: the list's own handling only
    EXPECT_EQ(window.player().copyBuffer[0].y, 700);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace tappling
