#include "ui/logic/EditingLogic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "resources/resource.h"

namespace tappling {
namespace {

using Rows = std::vector<int32_t>;
using Calls = std::vector<std::string>;

constexpr uint8_t kVkX = 0x58;

// The main window as the commands see it: a selection the test sets, every call logged.
class FakeEditingHost final : public EditingHost {
public:
    Rows selection;
    Calls calls;
    std::vector<int32_t> selectedRows() override { return selection; }
    void inform(std::string_view text) override { calls.push_back("inform " + std::string(text)); }
    void refreshList() override {
        selection.clear();
        calls.push_back("refresh");
    }
    void selectRow(int32_t row) override {
        selection = {row};
        calls.push_back("select " + std::to_string(row));
    }
    void watchMarker() override { calls.push_back("watch"); }
    void showMarkerFor(int32_t row) override { calls.push_back("marker " + std::to_string(row)); }
    void hideMarker() override { calls.push_back("hideMarker"); }
    void showWindow() override { calls.push_back("show"); }
    void takeFocus() override { calls.push_back("focus"); }
    void scrollRows(int32_t rows) override { calls.push_back("scroll " + std::to_string(rows)); }
    void minimizeWindow() override { calls.push_back("minimize"); }
    void restoreWindow() override { calls.push_back("restore"); }
};

// The user's answers: the editor names the record it returns "new", or cancels.
class ScriptedDialogs final : public ActionDialogs {
public:
    explicit ScriptedDialogs(Calls& calls) : calls_(calls) {}
    bool editorOk = true;
    bool bulkChanges = true;
    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override {
        calls_.push_back("editor " + copy.comment + " " + std::to_string(rowNumber));
        if (!editorOk) return std::nullopt;
        ActionRecord edited = copy;
        edited.comment = "new";
        return edited;
    }
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList&) override {
        calls_.push_back("bulk " + numberList + " " + newText);
        return bulkChanges;
    }

private:
    Calls& calls_;
};

ActionRecord named(const std::string& name, ActionType type = ActionType::LeftClick) {
    ActionRecord r;
    r.comment = name;
    r.inputText = "text " + name;
    r.actionType = type;
    return r;
}

class EditingLogicTest : public ::testing::Test {
protected:
    void load(const std::string& names) {
        for (char c : names) player.actions().append(named(std::string(1, c)));
        player.resumable = 1;
    }
    std::string names() const {
        std::string out;
        for (const ActionRecord& r : player.actions().records()) out += r.comment == "new" ? "*" : r.comment;
        return out;
    }

    fake::FakePlatform fakes;
    MacroPlayer player{fakes.platform};
    FakeEditingHost host;
    ScriptedDialogs dialogs{host.calls};
    EditingLogic logic{player, host, dialogs};
};

// One command on the list "ABCD" (or another), with the user's answer and the buffer.
struct CommandCase {
    const char* label;
    const char* list;
    int command;
    Rows selection;
    bool editorOk;
    const char* buffered;  // names copied into copyBuffer before the command
    const char* expectedList;  // "*" is the action the editor returned
    Calls expectedCalls;
    int32_t expectedModified;  // resumable is 0 exactly when modified became 1
};

const CommandCase kCommandCases[] = {
    {"add on an empty list", "", IDC_ADD_AT_END, {}, true, "", "*",
     {"minimize", "editor  1", "restore", "refresh", "select 0", "watch", "marker 0", "show", "scroll 0"}, 1},
    {"add from the menu", "AB", ID_EDIT_ADD_AT_END, {0}, true, "", "AB*",
     {"minimize", "editor  3", "restore", "refresh", "select 2", "watch", "marker 2", "show", "scroll 2"}, 1},
    {"add cancelled", "AB", IDC_ADD_AT_END, {}, false, "", "AB", {"minimize", "editor  3", "restore", "refresh"}, 0},
    {"insert before the last selected row", "ABCDEF", IDC_INSERT_BEFORE, {1, 4}, true, "", "ABCD*EF",
     {"minimize", "editor  5", "restore", "refresh", "select 4", "watch", "marker 4", "show", "focus", "scroll 4"}, 1},
    {"insert cancelled", "AB", ID_EDIT_INSERT_BEFORE, {0}, false, "", "AB",
     {"minimize", "editor  1", "restore", "refresh"}, 0},
    {"insert without a selection", "AB", IDC_INSERT_BEFORE, {}, true, "", "AB",
     {"inform レコードを選択して編集してください"}, 0},
    {"edit the first selected row", "ABCD", IDC_EDIT, {2, 3}, true, "", "AB*D",
     {"minimize", "editor C 3", "restore", "refresh", "select 2", "watch", "marker 2", "show", "scroll 2"}, 1},
    {"edit cancelled", "ABCD", ID_EDIT_EDIT, {1}, false, "", "ABCD", {"minimize", "editor B 2", "restore", "refresh"}, 0},
    {"edit without a selection", "AB", ID_EDIT_EDIT, {}, true, "", "AB", {"inform レコードを選択して編集してください"}, 0},
    {"delete rows 1 and 3", "ABCD", IDC_DELETE, {0, 2}, true, "", "BD", {"refresh", "hideMarker"}, 1},
    {"delete without a selection", "AB", ID_EDIT_DELETE, {}, true, "", "AB", {"inform レコードを選択して削除してください"}, 0},
    {"copy leaves the list alone", "ABCD", ID_EDIT_COPY_ACTIONS, {1, 3}, true, "", "ABCD", {}, 0},
    {"copy without a selection", "AB", ID_EDIT_COPY_ACTIONS, {}, true, "XY", "AB", {"inform レコードを選択してください"}, 0},
    {"paste before row 3", "ABCD", ID_EDIT_PASTE_BEFORE, {2}, true, "XY", "ABXYCD",
     {"refresh", "select 4", "watch", "marker 4", "show", "scroll 2"}, 1},
    {"paste after rows 2 and 3", "ABCD", ID_EDIT_PASTE_AFTER, {1, 2}, true, "X", "ABCXD",
     {"refresh", "select 4", "watch", "marker 4", "show", "scroll 3"}, 1},
    {"paste after rows 2 and 6", "ABCDEF", ID_EDIT_PASTE_AFTER, {1, 5}, true, "X", "ABCXDEF",
     {"refresh", "select 4", "watch", "marker 4", "show", "scroll 3"}, 1},
    {"paste after the last row", "AB", ID_EDIT_PASTE_AFTER, {1}, true, "XY", "ABXY",
     {"refresh", "select 4", "watch", "marker 4", "show", "scroll 2"}, 1},
    {"paste with an empty buffer", "AB", ID_EDIT_PASTE_BEFORE, {0}, true, "", "AB", {}, 0},
    {"paste without a selection", "AB", ID_EDIT_PASTE_AFTER, {}, true, "X", "AB", {"inform レコードを選択してください"}, 0},
};

TEST_F(EditingLogicTest, CommandsChangeTheListAndShowTheChangedRow) {
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.label);
        player.actions().clear();
        player.copyBuffer.clear();
        for (const char* b = c.buffered; *b != '\0'; ++b) player.copyBuffer.push_back(named(std::string(1, *b)));
        load(c.list);
        player.modified = 0;
        host.selection = c.selection;
        host.calls.clear();
        dialogs.editorOk = c.editorOk;

        ASSERT_TRUE(logic.onCommand(c.command));
        EXPECT_EQ(names(), c.expectedList);
        EXPECT_EQ(host.calls, c.expectedCalls);
        EXPECT_EQ(player.modified, c.expectedModified);
        EXPECT_EQ(player.resumable, c.expectedModified == 1 ? 0 : 1);
    }
    EXPECT_FALSE(logic.onCommand(ID_FILE_SAVE));
}

TEST_F(EditingLogicTest, CopyFillsTheBufferInRowOrderAndEmptiesItFirst) {
    load("ABCD");
    player.copyBuffer.push_back(named("old"));
    host.selection = {0, 3};
    logic.copySelected();
    ASSERT_EQ(player.copyBuffer.size(), 2u);
    EXPECT_EQ(player.copyBuffer[0].comment, "A");
    EXPECT_EQ(player.copyBuffer[1].comment, "D");

    host.selection.clear();  // nothing selected: the buffer is emptied all the same
    logic.copySelected();
    EXPECT_TRUE(player.copyBuffer.empty());
}

TEST_F(EditingLogicTest, DeleteKeepsConditionJumpsOnTheirActions) {
    load("ABCD");
    ActionRecord condition = named("C", ActionType::Condition);
    condition.trueJump = 1;    // D
    condition.falseJump = -2;  // A
    player.actions().replaceAt(2, condition);
    host.selection = {1};
    logic.deleteSelected();
    EXPECT_EQ(names(), "ACD");
    EXPECT_EQ(player.actions().at(1).trueJump, 1);
    EXPECT_EQ(player.actions().at(1).falseJump, -1);
}

struct KeyCase {
    const char* label;
    uint16_t key;
    bool ctrlHeld;     // down now: both queries answer
    bool ctrlStale;    // pressed and released earlier: only the first query answers
    Rows selection;
    const char* expectedList;
    size_t expectedBuffer;
};

const KeyCase kKeyCases[] = {
    {"Ctrl+C copies", kVkC, true, false, {1, 2}, "ABCD", 2},
    {"Ctrl+V pastes before", kVkV, true, false, {1}, "AXBCD", 1},
    {"Ctrl+X cuts", kVkX, true, false, {1, 2}, "AD", 2},
    {"Delete deletes", kVkDelete, false, false, {3}, "ABC", 1},
    {"Ctrl+Delete deletes", kVkDelete, true, false, {0}, "BCD", 1},
    {"C alone does nothing", kVkC, false, false, {1}, "ABCD", 1},
    {"a released Ctrl does not count", kVkX, false, true, {1}, "ABCD", 1},
    {"no selection: silent", kVkDelete, true, false, {}, "ABCD", 1},
    {"no selection: Ctrl+X silent", kVkX, true, false, {}, "ABCD", 1},
    {"other keys keep their own handling", kVkDown, true, false, {1}, "ABCD", 1},
};

TEST_F(EditingLogicTest, ListKeyboard) {
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.label);
        player.actions().clear();
        load("ABCD");
        player.copyBuffer = {named("X")};
        host.selection = c.selection;
        host.calls.clear();
        if (c.ctrlHeld) fakes.keys.hold(kVkControl);
        if (c.ctrlStale) fakes.keys.press(kVkControl, fakes.clock.now(), 0);
        const int queriesBefore = fakes.keys.queries(kVkControl);

        logic.onListKey(c.key, fakes.keys);
        const int queries = fakes.keys.queries(kVkControl) - queriesBefore;
        fakes.keys.release(kVkControl);
        fakes.keys.asyncKeyState(kVkControl);  // forget the press for the next case

        EXPECT_EQ(names(), c.expectedList);
        EXPECT_EQ(player.copyBuffer.size(), c.expectedBuffer);
        EXPECT_EQ(queries, 2);
        for (const std::string& call : host.calls) EXPECT_NE(call.rfind("inform", 0), 0u) << call;
    }
}

struct WaitCase {
    int command;
    int32_t pre;
    int32_t post;
    int32_t expectedPre;
    int32_t expectedPost;
    int32_t expectedModified;
};

TEST_F(EditingLogicTest, WaitShiftsMarkModifiedOnlyWhenAWaitChanged) {
    const WaitCase cases[] = {
        {ID_EDIT_PRE_WAIT_PLUS, 300, 800, 800, 800, 1},
        {ID_EDIT_PRE_WAIT_MINUS, 300, 800, 0, 800, 1},
        {ID_EDIT_POST_WAIT_PLUS, 0, 0, 0, 500, 1},
        {ID_EDIT_POST_WAIT_MINUS, 300, 800, 300, 300, 1},
        {ID_EDIT_PRE_WAIT_MINUS, 0, 800, 0, 800, 0},  // nothing to take away
    };
    for (const WaitCase& c : cases) {
        SCOPED_TRACE(c.command);
        player.actions().clear();
        load("A");
        player.actions().at(0).preWaitMs = c.pre;
        player.actions().at(0).postWaitMs = c.post;
        player.modified = 0;
        host.calls.clear();
        ASSERT_TRUE(logic.onCommand(c.command));
        EXPECT_EQ(player.actions().at(0).preWaitMs, c.expectedPre);
        EXPECT_EQ(player.actions().at(0).postWaitMs, c.expectedPost);
        EXPECT_EQ(player.modified, c.expectedModified);
        EXPECT_EQ(player.resumable, 1);
        EXPECT_EQ(host.calls, Calls{"refresh"});
    }
}

TEST_F(EditingLogicTest, BulkTextEditGetsTheNumbersAndTheFirstText) {
    load("ABCD");
    host.selection = {0, 3};
    dialogs.bulkChanges = false;
    logic.onCommand(ID_EDIT_BULK_TEXT);
    EXPECT_EQ(player.modified, 0);
    host.selection.clear();
    dialogs.bulkChanges = true;
    logic.bulkTextEdit();
    EXPECT_EQ(host.calls, (Calls{"bulk 1,4 text A", "bulk  "}));  // no refresh: no column shows the text
    EXPECT_EQ(player.modified, 1);
    EXPECT_EQ(player.resumable, 1);
}

TEST_F(EditingLogicTest, EditThroughTheMarker) {
    load("ABC");
    logic.editThroughMarker(1);
    EXPECT_EQ(names(), "A*C");
    EXPECT_EQ(host.calls, (Calls{"minimize", "editor B 2", "restore", "refresh", "select 1"}));
    EXPECT_EQ(player.modified, 1);
    EXPECT_EQ(player.resumable, 1);

    player.modified = 0;
    host.calls.clear();
    dialogs.editorOk = false;
    logic.editThroughMarker(2);
    EXPECT_EQ(host.calls, (Calls{"minimize", "editor C 3", "restore", "refresh", "select 2"}));
    EXPECT_EQ(player.modified, 0);

    host.calls.clear();
    logic.editThroughMarker(3);  // a marker left over from a longer list
    EXPECT_EQ(host.calls, Calls{"refresh"});
}

struct PasteCase {
    PasteWhere where;
    Rows selected;
    int32_t count;
    PastePlan expected;
};

TEST(EditingRulesTest, PastePositions) {
    const PasteCase cases[] = {
        {PasteWhere::Before, {2}, 2, {2, 2, {4, 2}}},
        {PasteWhere::Before, {0, 5}, 1, {0, 1, {1, 0}}},
        {PasteWhere::After, {1, 2}, 1, {3, 1, {4, 3}}},
        {PasteWhere::After, {1, 5}, 1, {3, 1, {4, 3}}},
        {PasteWhere::After, {3}, 3, {4, 3, {7, 4}}},
    };
    for (const PasteCase& c : cases) EXPECT_EQ(pastePlan(c.where, c.selected, c.count), c.expected);
    EXPECT_EQ(changedRowAt(7), (ChangedRow{7, 7}));
}

TEST(EditingRulesTest, SelectionNumberList) {
    const std::pair<Rows, std::string> cases[] = {
        {{}, ""}, {{0}, "1"}, {{1, 2, 4}, "2,3,5"}, {{0, 3}, "1,4"}, {{99}, "100"},
    };
    for (const auto& [rows, text] : cases) EXPECT_EQ(selectionNumberList(rows), text);
}

}  // namespace
}  // namespace tappling
