#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "commands/CommandRig.h"

namespace tappling {
namespace {

using Rows = std::vector<int32_t>;
using testing::Calls;
using Command = void (EditCommands::*)();

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

class EditCommandsTest : public ::testing::Test, protected testing::CommandRig {
protected:
    void load(const std::string& list, const std::string& buffer = "X") {
        player.actions().clear();
        player.copyBuffer.clear();
        for (char c : list) player.actions().append(named(c));
        for (char c : buffer) player.copyBuffer.push_back(named(c));
        setFlags(0, 1);
        view.calls.clear();
    }
    std::string listNames() const { return names(player.actions().records()); }
};

TEST_F(EditCommandsTest, CommandsChangeTheListAndShowTheChangedRow) {
    const std::string pick = "inform レコードを選択して編集してください", pickToDelete = "inform レコードを選択して削除してください",
                      select = "inform レコードを選択してください";
    const struct {
        const char *list, *buffer;
        Command command;
        Rows selection;
        bool editorOk;
        const char *expectedList, *expectedBuffer;
        Calls expectedCalls;
        int32_t expectedModified;  // resumable is 0 exactly when modified became 1
    } cases[] = {
        {"", "", &EditCommands::addAtEnd, {}, true, "*", "", shown(editor(" 1"), 0, 0), 1},
        {"AB", "", &EditCommands::addAtEnd, {0}, true, "AB*", "", shown(editor(" 3"), 2, 2), 1},
        {"AB", "", &EditCommands::addAtEnd, {}, false, "AB", "", editor(" 3"), 0},
        {"ABCDEF", "", &EditCommands::insertBefore, {1, 4}, true, "ABCD*EF", "", shown(editor(" 5"), 4, 4, true), 1},
        {"AB", "", &EditCommands::insertBefore, {}, true, "AB", "", {pick}, 0},
        {"ABCD", "", &EditCommands::editSelected, {2, 3}, true, "AB*D", "", shown(editor("C 3"), 2, 2), 1},
        {"ABCD", "", &EditCommands::editSelected, {1}, false, "ABCD", "", editor("B 2"), 0},
        {"AB", "", &EditCommands::editSelected, {}, true, "AB", "", {pick}, 0},
        {"ABCD", "", &EditCommands::deleteSelected, {0, 2}, true, "BD", "", {"refresh", "hideMarker"}, 1},
        {"AB", "", &EditCommands::deleteSelected, {}, true, "AB", "", {pickToDelete}, 0},
        {"ABCD", "XY", &EditCommands::copySelected, {1, 3}, true, "ABCD", "BD", {}, 0},  // in row order, old buffer gone
        {"AB", "XY", &EditCommands::copySelected, {}, true, "AB", "", {select}, 0},     // emptied all the same
        {"ABCD", "XY", &EditCommands::pasteBefore, {2}, true, "ABXYCD", "XY", shown({"refresh"}, 4, 2), 1},
        {"ABCDEF", "X", &EditCommands::pasteAfter, {1, 5}, true, "ABCXDEF", "X", shown({"refresh"}, 4, 3), 1},
        {"AB", "", &EditCommands::pasteBefore, {0}, true, "AB", "", {}, 0},
        {"AB", "X", &EditCommands::pasteAfter, {}, true, "AB", "X", {select}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("on ") + c.list + " with " + names(player.copyBuffer));
        load(c.list, c.buffer);
        view.selection = c.selection;
        view.editorOk = c.editorOk;
        (edit.*c.command)();
        EXPECT_EQ(listNames(), c.expectedList);
        EXPECT_EQ(names(player.copyBuffer), c.expectedBuffer);
        EXPECT_EQ(view.calls, c.expectedCalls);
        EXPECT_EQ(player.modified(), c.expectedModified);
        EXPECT_EQ(player.resumable(), 1 - c.expectedModified);
    }
}

TEST_F(EditCommandsTest, PastedConditionStillJumpsToItsPastedPartner) {
    ActionRecord condition = named('C');
    condition.actionType = ActionType::Condition;
    condition.trueJump = 1;
    condition.falseJump = 2;
    ActionRecord partner = named('P');
    partner.offsetRef = -1;
    ActionRecord backToStart = named('B');
    backToStart.actionType = ActionType::Condition;
    backToStart.trueJump = -1;
    // command, the list after it, where the block lands, where B went
    for (const auto& [command, expectedList, pastedAt, bAt] :
         {std::tuple{&EditCommands::pasteBefore, "ACPBD", 1, 3}, std::tuple{&EditCommands::pasteAfter, "ABCPD", 2, 1}}) {
        load("ABD", "");
        player.actions().replaceAt(1, backToStart);
        player.copyBuffer = {condition, partner};
        view.selection = {1};
        (edit.*command)();
        EXPECT_EQ(listNames(), expectedList);
        EXPECT_EQ(player.actions().at(pastedAt), condition);
        EXPECT_EQ(player.actions().at(pastedAt + 1), partner);
        EXPECT_EQ(bAt + player.actions().at(bAt).trueJump, 0) << "B's jump still reaches A";
    }
}

TEST_F(EditCommandsTest, ListKeyboard) {
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
        view.selection = c.selection;
        if (c.ctrlHeld) fake.keys.hold(kVkControl);
        if (c.ctrlStale) fake.keys.press(kVkControl, fake.clock.now(), 0);
        const int queriesBefore = fake.keys.queries(kVkControl);
        edit.onListKey(c.key, fake.keys);
        EXPECT_EQ(fake.keys.queries(kVkControl) - queriesBefore, 2);
        fake.keys.release(kVkControl);
        fake.keys.asyncKeyState(kVkControl);  // forget the press for the next case
        EXPECT_EQ(listNames(), c.expectedList);
        EXPECT_EQ(names(player.copyBuffer), c.expectedBuffer);
        for (const std::string& call : view.calls) EXPECT_NE(call.rfind("inform", 0), 0u) << call;
    }
}

TEST_F(EditCommandsTest, WaitShiftsMarkModifiedOnlyWhenAWaitChanged) {
    // From a pre-wait of 300 and a post-wait of 800: the command, the two waits after it, modified.
    const std::tuple<WaitKind, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {WaitKind::Pre, kWaitShiftMs, 800, 800, 1},   {WaitKind::Pre, -kWaitShiftMs, 0, 800, 1},
        {WaitKind::Post, kWaitShiftMs, 300, 1300, 1}, {WaitKind::Post, -kWaitShiftMs, 300, 300, 1},
        {WaitKind::Pre, -kWaitShiftMs, 0, 800, 0},  // from a pre-wait of 0: nothing to take away
    };
    load("A");
    for (const auto& [which, delta, pre, post, modified] : cases) {
        SCOPED_TRACE(delta);
        const ActionRecord& a = player.actions().at(0);
        player.actions().at(0).preWaitMs = modified == 1 ? 300 : 0;
        player.actions().at(0).postWaitMs = 800;
        player.noteChange(MacroChange::Saved);
        view.calls.clear();
        edit.shiftAllWaits(which, delta);
        EXPECT_EQ(std::tuple(a.preWaitMs, a.postWaitMs, player.modified(), player.resumable()),
                  std::tuple(pre, post, modified, 1));
        EXPECT_EQ(view.calls, Calls{"refresh"});
    }
}

TEST_F(EditCommandsTest, BulkTextEditAndEditThroughTheMarkerKeepResumable) {
    load("ABCD");
    view.selection = {0, 3};
    view.editorOk = false;
    edit.bulkTextEdit();
    EXPECT_EQ(player.modified(), 0);
    view.editorOk = true;
    view.selection.clear();
    edit.bulkTextEdit();
    EXPECT_EQ(view.calls, (Calls{"bulk 1,4 text A", "bulk  "}));  // no refresh: no column shows the text
    EXPECT_EQ(player.modified(), 1);
    EXPECT_EQ(player.resumable(), 1);

    load("ABC");
    edit.editThroughMarker(1);
    EXPECT_EQ(listNames(), "A*C");
    EXPECT_EQ(player.modified(), 1);
    EXPECT_EQ(player.resumable(), 1);
    player.noteChange(MacroChange::Saved);
    view.editorOk = false;
    edit.editThroughMarker(2);
    EXPECT_EQ(player.modified(), 0);
    edit.editThroughMarker(3);  // a marker left over from a longer list
    EXPECT_EQ(view.calls, (Calls{"minimize", "editor B 2", "restore", "refresh", "select 1", "minimize", "editor C 3",
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
