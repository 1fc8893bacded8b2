#include "ui/logic/EditingLogic.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fakes/FakePlatform.h"
#include "resources/resource.h"

namespace tappling {
namespace {

using Rows = std::vector<int32_t>;
using Calls = std::vector<std::string>;

// The main window and the user's answers as the commands see them: a selection the test
// sets, every call logged; the editor names the record it returns "new" (shown as "*").
class FakeEditingHost final : public EditingHost, public ActionDialogs {
public:
    Rows selection;
    Calls calls;
    bool ok = true;  // the editor's OK, or a bulk edit that changed something
    void log(const std::string& call) { calls.push_back(call); }
    void log(const std::string& call, int32_t n) { log(call + " " + std::to_string(n)); }
    std::vector<int32_t> selectedRows() override { return selection; }
    void inform(std::string_view text) override { log("inform " + std::string(text)); }
    void refreshList() override { selection.clear(), log("refresh"); }
    void selectRow(int32_t row) override { selection = {row}, log("select", row); }
    void showMarkerFor(int32_t row) override { log("marker", row); }
    void scrollRows(int32_t rows) override { log("scroll", rows); }
    void watchMarker() override { log("watch"); }
    void hideMarker() override { log("hideMarker"); }
    void showWindow() override { log("show"); }
    void takeFocus() override { log("focus"); }
    void minimizeWindow() override { log("minimize"); }
    void restoreWindow() override { log("restore"); }
    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override {
        log("editor " + copy.comment, rowNumber);
        ActionRecord edited = copy;
        edited.comment = "new";
        return ok ? std::optional(edited) : std::nullopt;
    }
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList&) override {
        log("bulk " + numberList + " " + newText);
        return ok;
    }
};

ActionRecord named(char name) {
    ActionRecord r;
    r.comment = std::string(1, name);
    r.inputText = "text " + r.comment;
    return r;
}

std::string names(const std::vector<ActionRecord>& records) {
    std::string out;
    for (const ActionRecord& r : records) out += r.comment == "new" ? "*" : r.comment;
    return out;
}

// The calls around the editor, and those that show row r scrolled by k.
Calls editor(const std::string& call) { return {"minimize", "editor " + call, "restore", "refresh"}; }
Calls shown(Calls head, int32_t r, int32_t k, bool focus = false) {
    const std::string row = std::to_string(r);
    head.insert(head.end(), {"select " + row, "watch", "marker " + row, "show"});
    if (focus) head.push_back("focus");
    head.push_back("scroll " + std::to_string(k));
    return head;
}

class EditingLogicTest : public ::testing::Test {
protected:
    void load(const std::string& list, const std::string& buffer = "X") {
        player.actions().clear();
        player.copyBuffer.clear();
        for (char c : list) player.actions().append(named(c));
        for (char c : buffer) player.copyBuffer.push_back(named(c));
        player.modified = 0;
        player.resumable = 1;
        host.calls.clear();
    }
    std::string listNames() const { return names(player.actions().records()); }

    fake::FakePlatform fakes;
    MacroPlayer player{fakes.platform};
    FakeEditingHost host;
    EditingLogic logic{player, host, host};
};

TEST_F(EditingLogicTest, CommandsChangeTheListAndShowTheChangedRow) {
    const std::string pick = "inform レコードを選択して編集してください", pickToDelete = "inform レコードを選択して削除してください",
                      select = "inform レコードを選択してください";
    const struct {
        const char *list, *buffer;
        int command;
        Rows selection;
        bool editorOk;
        const char *expectedList, *expectedBuffer;
        Calls expectedCalls;
        int32_t expectedModified;  // resumable is 0 exactly when modified became 1
    } cases[] = {
        {"", "", IDC_ADD_AT_END, {}, true, "*", "", shown(editor(" 1"), 0, 0), 1},
        {"AB", "", ID_EDIT_ADD_AT_END, {0}, true, "AB*", "", shown(editor(" 3"), 2, 2), 1},
        {"AB", "", IDC_ADD_AT_END, {}, false, "AB", "", editor(" 3"), 0},
        {"ABCDEF", "", IDC_INSERT_BEFORE, {1, 4}, true, "ABCD*EF", "", shown(editor(" 5"), 4, 4, true), 1},
        {"AB", "", IDC_INSERT_BEFORE, {}, true, "AB", "", {pick}, 0},
        {"ABCD", "", IDC_EDIT, {2, 3}, true, "AB*D", "", shown(editor("C 3"), 2, 2), 1},
        {"ABCD", "", ID_EDIT_EDIT, {1}, false, "ABCD", "", editor("B 2"), 0},
        {"AB", "", ID_EDIT_EDIT, {}, true, "AB", "", {pick}, 0},
        {"ABCD", "", IDC_DELETE, {0, 2}, true, "BD", "", {"refresh", "hideMarker"}, 1},
        {"AB", "", ID_EDIT_DELETE, {}, true, "AB", "", {pickToDelete}, 0},
        {"ABCD", "XY", ID_EDIT_COPY_ACTIONS, {1, 3}, true, "ABCD", "BD", {}, 0},  // in row order, old buffer gone
        {"AB", "XY", ID_EDIT_COPY_ACTIONS, {}, true, "AB", "", {select}, 0},     // emptied all the same
        {"ABCD", "XY", ID_EDIT_PASTE_BEFORE, {2}, true, "ABXYCD", "XY", shown({"refresh"}, 4, 2), 1},
        {"ABCDEF", "X", ID_EDIT_PASTE_AFTER, {1, 5}, true, "ABCXDEF", "X", shown({"refresh"}, 4, 3), 1},
        {"AB", "", ID_EDIT_PASTE_BEFORE, {0}, true, "AB", "", {}, 0},
        {"AB", "X", ID_EDIT_PASTE_AFTER, {}, true, "AB", "X", {select}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " on " + c.list);
        load(c.list, c.buffer);
        host.selection = c.selection;
        host.ok = c.editorOk;
        ASSERT_TRUE(logic.onCommand(c.command));
        EXPECT_EQ(listNames(), c.expectedList);
        EXPECT_EQ(names(player.copyBuffer), c.expectedBuffer);
        EXPECT_EQ(host.calls, c.expectedCalls);
        EXPECT_EQ(player.modified, c.expectedModified);
        EXPECT_EQ(player.resumable, 1 - c.expectedModified);
    }
    EXPECT_FALSE(logic.onCommand(ID_FILE_SAVE));
}

TEST_F(EditingLogicTest, ListKeyboard) {
    constexpr uint8_t kVkX = 0x58;
    const struct {
        uint16_t key;
        bool ctrlHeld;   // down now: both queries answer
        bool ctrlStale;  // pressed and released earlier: only the first query answers
        Rows selection;
        const char *expectedList, *expectedBuffer;
    } cases[] = {
        {kVkC, true, false, {1, 2}, "ABCD", "BC"},  {kVkV, true, false, {1}, "AXBCD", "X"},
        {kVkX, true, false, {1, 2}, "AD", "BC"},    {kVkDelete, false, false, {3}, "ABC", "X"},
        {kVkC, false, false, {1}, "ABCD", "X"},     {kVkX, false, true, {1}, "ABCD", "X"},
        {kVkX, true, false, {}, "ABCD", "X"},       {kVkDown, true, false, {1}, "ABCD", "X"},  // the list's own key
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + (c.ctrlHeld ? " ctrl" : c.ctrlStale ? " stale ctrl" : ""));
        load("ABCD");
        host.selection = c.selection;
        if (c.ctrlHeld) fakes.keys.hold(kVkControl);
        if (c.ctrlStale) fakes.keys.press(kVkControl, fakes.clock.now(), 0);
        const int queriesBefore = fakes.keys.queries(kVkControl);
        logic.onListKey(c.key, fakes.keys);
        EXPECT_EQ(fakes.keys.queries(kVkControl) - queriesBefore, 2);
        fakes.keys.release(kVkControl);
        fakes.keys.asyncKeyState(kVkControl);  // forget the press for the next case
        EXPECT_EQ(listNames(), c.expectedList);
        EXPECT_EQ(names(player.copyBuffer), c.expectedBuffer);
        for (const std::string& call : host.calls) EXPECT_NE(call.rfind("inform", 0), 0u) << call;
    }
}

TEST_F(EditingLogicTest, WaitShiftsMarkModifiedOnlyWhenAWaitChanged) {
    // From a pre-wait of 300 and a post-wait of 800: the command, the two waits after it, modified.
    const std::tuple<int, int32_t, int32_t, int32_t> cases[] = {
        {ID_EDIT_PRE_WAIT_PLUS, 800, 800, 1},   {ID_EDIT_PRE_WAIT_MINUS, 0, 800, 1},
        {ID_EDIT_POST_WAIT_PLUS, 300, 1300, 1}, {ID_EDIT_POST_WAIT_MINUS, 300, 300, 1},
        {ID_EDIT_PRE_WAIT_MINUS, 0, 800, 0},  // from a pre-wait of 0: nothing to take away
    };
    load("A");
    for (const auto& [command, pre, post, modified] : cases) {
        SCOPED_TRACE(command);
        const ActionRecord& a = player.actions().at(0);
        player.actions().at(0).preWaitMs = modified == 1 ? 300 : 0;
        player.actions().at(0).postWaitMs = 800;
        player.modified = 0;
        host.calls.clear();
        ASSERT_TRUE(logic.onCommand(command));
        EXPECT_EQ(std::tuple(a.preWaitMs, a.postWaitMs, player.modified, player.resumable),
                  std::tuple(pre, post, modified, 1));
        EXPECT_EQ(host.calls, Calls{"refresh"});
    }
}

TEST_F(EditingLogicTest, BulkTextEditAndEditThroughTheMarkerKeepResumable) {
    load("ABCD");
    host.selection = {0, 3};
    host.ok = false;
    logic.onCommand(ID_EDIT_BULK_TEXT);
    EXPECT_EQ(player.modified, 0);
    host.ok = true;
    host.selection.clear();
    logic.bulkTextEdit();
    EXPECT_EQ(host.calls, (Calls{"bulk 1,4 text A", "bulk  "}));  // no refresh: no column shows the text
    EXPECT_EQ(player.modified, 1);
    EXPECT_EQ(player.resumable, 1);

    load("ABC");
    logic.editThroughMarker(1);
    EXPECT_EQ(listNames(), "A*C");
    EXPECT_EQ(player.modified, 1);
    EXPECT_EQ(player.resumable, 1);
    player.modified = 0;
    host.ok = false;
    logic.editThroughMarker(2);
    EXPECT_EQ(player.modified, 0);
    logic.editThroughMarker(3);  // a marker left over from a longer list
    EXPECT_EQ(host.calls, (Calls{"minimize", "editor B 2", "restore", "refresh", "select 1", "minimize", "editor C 3",
                                 "restore", "refresh", "select 2", "refresh"}));
}

TEST(EditingRulesTest, PastePositionsAndNumberList) {
    const struct {
        PasteWhere where;
        Rows selected;
        int32_t count;
        PastePlan expected;
    } cases[] = {
        {PasteWhere::Before, {2}, 2, {2, 2, {4, 2}}}, {PasteWhere::Before, {0, 5}, 1, {0, 1, {1, 0}}},
        {PasteWhere::After, {1, 2}, 1, {3, 1, {4, 3}}}, {PasteWhere::After, {1, 5}, 1, {3, 1, {4, 3}}},
        {PasteWhere::After, {3}, 3, {4, 3, {7, 4}}},
    };
    for (const auto& c : cases) EXPECT_EQ(pastePlan(c.where, c.selected, c.count), c.expected);
    EXPECT_EQ(changedRowAt(7), (ChangedRow{7, 7}));
    const std::pair<Rows, std::string> lists[] = {{{}, ""}, {{0}, "1"}, {{1, 2, 4}, "2,3,5"}, {{99}, "100"}};
    for (const auto& [rows, text] : lists) EXPECT_EQ(selectionNumberList(rows), text);
}

}  // namespace
}  // namespace tappling
