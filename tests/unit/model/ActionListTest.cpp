#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "model/ActionList.h"

namespace tappling {
namespace {

ActionRecord condition(int32_t trueJump, int32_t falseJump = 0) {
    ActionRecord r = makeDefaultRecord();
    r.actionType = ActionType::Condition;
    r.trueJump = trueJump;
    r.falseJump = falseJump;
    return r;
}

ActionRecord tagged(int32_t x) {
    ActionRecord r = makeDefaultRecord();
    r.x = x;
    return r;
}

ActionList listOf(std::vector<ActionRecord> records) {
    ActionList list;
    for (auto& r : records) list.append(r);
    return list;
}

// The absolute target of a relative field at its position.
int32_t target(const ActionList& list, int32_t position, int32_t ActionRecord::*field) {
    return position + list.at(position).*field;
}

TEST(ActionList, DefaultRecordHasTheDocumentedDefaults) {
    const ActionRecord r = makeDefaultRecord();
    EXPECT_EQ(r.actionType, ActionType::LeftClick);
    EXPECT_EQ(r.preWaitMs, 500);
    EXPECT_EQ(r.postWaitMs, 500);
    EXPECT_EQ(r.repeatCount, 1);
    EXPECT_EQ(r.trueJump, 1);
    EXPECT_EQ(r.falseJump, 0);
    EXPECT_EQ(r.offsetRef, 0);
    EXPECT_TRUE(r.inputText.empty() && r.comment.empty() && r.filePath.empty());
    EXPECT_EQ(r.x | r.y | r.reserved2 | r.newlineAfterInput | r.startMaximized | r.firstLoopOnly | r.conditionColor |
                  r.invertCondition | r.searchRangeX | r.searchRangeY | r.offsetEnabled,
              0);
}

TEST(ActionList, InsertAtFrontKeepsABackwardJumpOnTheOldFirstRecord) {
    ActionList list = listOf({tagged(10), condition(2), tagged(12), condition(-3), tagged(14)});
    list.insertAt(0, tagged(99));
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.at(4).trueJump, -3);  // target 1: the old first record
    EXPECT_EQ(list.at(target(list, 4, &ActionRecord::trueJump)).x, 10);
    EXPECT_EQ(list.at(2).trueJump, 2);  // was 1 -> 3, now 2 -> 4
    EXPECT_EQ(list.at(target(list, 2, &ActionRecord::trueJump)).actionType, ActionType::Condition);
    EXPECT_EQ(list.at(0).x, 99);
}

TEST(ActionList, InsertBetweenAConditionAndItsEarlierTarget) {
    ActionList list = listOf({tagged(0), tagged(1), tagged(2), tagged(3), condition(-3)});
    list.insertAt(2, tagged(99));
    EXPECT_EQ(list.at(5).actionType, ActionType::Condition);
    EXPECT_EQ(list.at(5).trueJump, -4);
    EXPECT_EQ(list.at(target(list, 5, &ActionRecord::trueJump)).x, 1);
}

TEST(ActionList, InsertExactlyAtAForwardTargetFollowsTheRecord) {
    ActionList list = listOf({condition(2, 3), tagged(1), tagged(2), tagged(3)});
    list.insertAt(2, tagged(99));
    EXPECT_EQ(list.at(0).trueJump, 3);
    EXPECT_EQ(list.at(0).falseJump, 4);
    EXPECT_EQ(list.at(target(list, 0, &ActionRecord::trueJump)).x, 2);
    EXPECT_EQ(list.at(target(list, 0, &ActionRecord::falseJump)).x, 3);
}

TEST(ActionList, InsertedRecordKeepsItsOwnFields) {
    ActionList list = listOf({tagged(0), condition(-1)});
    ActionRecord inserted = condition(-7, 9);
    inserted.offsetRef = 5;
    list.insertAt(1, inserted);
    EXPECT_EQ(list.at(1), inserted);
}

TEST(ActionList, FalseJumpZeroStillRepeatsTheSameRecord) {
    ActionList list = listOf({tagged(0), condition(1, 0), tagged(2)});
    list.insertAt(1, tagged(9));
    list.insertAt(3, tagged(9));
    list.removeAt(0);
    EXPECT_EQ(list.at(1).actionType, ActionType::Condition);
    EXPECT_EQ(list.at(1).falseJump, 0);
    EXPECT_EQ(list.at(1).trueJump, 2);
}

TEST(ActionList, RemoveMovesTargetsAfterTheGapBack) {
    ActionList list = listOf({condition(3), tagged(1), tagged(2), tagged(3), condition(-3)});
    list.removeAt(1);
    EXPECT_EQ(list.at(0).trueJump, 2);
    EXPECT_EQ(list.at(target(list, 0, &ActionRecord::trueJump)).x, 3);
    EXPECT_EQ(list.at(3).trueJump, -3);  // target 0 stays the first record
}

TEST(ActionList, RemovedTargetEndsOnThePreviousRecordFromEitherSide) {
    ActionList list = listOf({tagged(0), condition(2), tagged(2), tagged(3), condition(-1), condition(-2)});
    // Position 3 is the target of the condition at 1 (forward), at 4 (backward) and 5.
    list.removeAt(3);
    EXPECT_EQ(target(list, 1, &ActionRecord::trueJump), 2);
    EXPECT_EQ(target(list, 3, &ActionRecord::trueJump), 2);
    EXPECT_EQ(target(list, 4, &ActionRecord::trueJump), 2);
}

TEST(ActionList, RemovingARecordThatPointsAtItselfIsHarmless) {
    ActionList list = listOf({tagged(0), condition(0, 0), tagged(2)});
    list.removeAt(1);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(1).x, 2);
}

TEST(ActionList, SkipJumpIsNeverRenumbered) {
    ActionRecord skip = makeDefaultRecord();
    skip.actionType = ActionType::Skip;
    skip.trueJump = 2;
    ActionList list = listOf({skip, tagged(1), tagged(2)});
    list.insertAt(1, tagged(9));
    EXPECT_EQ(list.at(0).trueJump, 2);
    list.removeAt(1);
    list.removeAt(1);
    EXPECT_EQ(list.at(0).trueJump, 2);
}

TEST(ActionList, NonConditionJumpsAreNotRenumbered) {
    ActionRecord click = tagged(0);
    click.trueJump = 2;
    click.falseJump = 1;
    ActionList list = listOf({click, tagged(1), tagged(2)});
    list.insertAt(1, tagged(9));
    EXPECT_EQ(list.at(0).trueJump, 2);
    EXPECT_EQ(list.at(0).falseJump, 1);
}

struct OffsetCase {
    ActionType type;
    int32_t offsetEnabled;
};

class OffsetRefOfEveryRecord : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetRefOfEveryRecord, FollowsItsRecordThroughInsertAndRemove) {
    ActionRecord pointing = makeDefaultRecord();
    pointing.actionType = GetParam().type;
    pointing.offsetEnabled = GetParam().offsetEnabled;
    pointing.offsetRef = 2;
    ActionRecord back = pointing;
    back.offsetRef = -3;
    ActionList list = listOf({pointing, tagged(1), tagged(2), back});
    list.insertAt(1, tagged(9));
    EXPECT_EQ(list.at(0).offsetRef, 3);
    EXPECT_EQ(list.at(4).offsetRef, -4);
    list.removeAt(1);
    EXPECT_EQ(list.at(0).offsetRef, 2);
    EXPECT_EQ(list.at(3).offsetRef, -3);
}

INSTANTIATE_TEST_SUITE_P(Types, OffsetRefOfEveryRecord,
                         ::testing::Values(OffsetCase{ActionType::LeftClick, 0}, OffsetCase{ActionType::LeftClick, 1},
                                           OffsetCase{ActionType::Condition, 0}, OffsetCase{ActionType::Skip, 0},
                                           OffsetCase{ActionType::KeyboardInput, 1},
                                           OffsetCase{static_cast<ActionType>(77), 0}));

TEST(ActionList, AppendChangesNoRelativeField) {
    ActionRecord far = condition(50, -50);
    far.offsetRef = 7;
    ActionList list = listOf({far, condition(1)});
    list.append(tagged(3));
    EXPECT_EQ(list.at(0), far);
    EXPECT_EQ(list.at(1).trueJump, 1);
}

TEST(ActionList, InsertAtSizeAppendsAndStillRenumbersTargetsAtTheEnd) {
    ActionList list = listOf({condition(1), condition(2)});
    list.insertAt(2, tagged(9));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(2).x, 9);
    EXPECT_EQ(list.at(0).trueJump, 1);  // target 1 < 2
    EXPECT_EQ(list.at(1).trueJump, 3);  // target 3 >= 2 moves on
}

// Which tagged record each relative field of each record points at (-1: none there; a
// jump of a record that is no condition is no reference).
std::vector<std::vector<int32_t>> targetTags(const ActionList& list) {
    std::vector<std::vector<int32_t>> tags;
    for (int32_t i = 0; i < list.size(); ++i) {
        std::vector<int32_t> row{list.at(i).x};
        for (auto field : {&ActionRecord::trueJump, &ActionRecord::falseJump, &ActionRecord::offsetRef}) {
            if (field != &ActionRecord::offsetRef && list.at(i).actionType != ActionType::Condition) continue;
            const int32_t t = target(list, i, field);
            row.push_back(t >= 0 && t < list.size() ? list.at(t).x : -1);
        }
        tags.push_back(row);
    }
    return tags;
}

TEST(ActionList, BlockInsertKeepsEveryTargetOnItsRecordInsideAndAround) {
    ActionRecord backToFirst = condition(-4);
    backToFirst.x = 4;
    ActionRecord skipOne = condition(2);
    skipOne.x = 1;
    ActionRecord offsetBack = tagged(3);
    offsetBack.offsetRef = -2;
    const ActionList around = listOf({tagged(0), skipOne, tagged(2), offsetBack, backToFirst});

    // The pasted block: a condition jumping to its partner, and a record offset from the condition.
    ActionRecord pastedCondition = condition(1, 2);
    pastedCondition.x = 50;
    ActionRecord partner = tagged(51);
    ActionRecord offsetFromCondition = tagged(52);
    offsetFromCondition.offsetRef = -2;
    const std::vector<ActionRecord> block = {pastedCondition, partner, offsetFromCondition};

    for (int32_t position : {0, 1, 2, 3, 5}) {
        ActionList list = around;
        list.insertBlockAt(position, block);
        ASSERT_EQ(list.size(), 8);
        for (int32_t k = 0; k < 3; ++k) EXPECT_EQ(list.at(position + k), block[static_cast<size_t>(k)]) << position;
        // Outside the block, every field points at the record it pointed at before.
        std::vector<std::vector<int32_t>> expected = targetTags(around);
        std::vector<std::vector<int32_t>> got = targetTags(list);
        got.erase(got.begin() + position, got.begin() + position + 3);
        EXPECT_EQ(got, expected) << position;
    }
    ActionList list = around;
    EXPECT_THROW(list.insertBlockAt(6, block), std::invalid_argument);
    EXPECT_EQ(list.records(), around.records());
}

TEST(ActionList, ExtremeJumpsDoNotOverflow) {
    ActionList list = listOf({condition(INT32_MAX, INT32_MIN), tagged(1)});
    list.insertAt(0, tagged(9));
    EXPECT_EQ(list.at(1).trueJump, INT32_MAX);  // target far beyond: wraps, never traps
    list.removeAt(0);
    EXPECT_EQ(list.at(0).actionType, ActionType::Condition);
}

TEST(ActionList, AdjustAllWaitsClampsAtZero) {
    ActionRecord a = tagged(0);
    a.preWaitMs = 300;
    a.postWaitMs = 0;
    ActionRecord b = tagged(1);
    b.preWaitMs = 700;
    ActionList list = listOf({a, b});
    list.adjustAllWaits(WaitKind::Pre, -500);
    EXPECT_EQ(list.at(0).preWaitMs, 0);
    EXPECT_EQ(list.at(1).preWaitMs, 200);
    EXPECT_EQ(list.at(0).postWaitMs, 0);
    list.adjustAllWaits(WaitKind::Post, 500);
    EXPECT_EQ(list.at(0).postWaitMs, 500);
    EXPECT_EQ(list.at(1).postWaitMs, 1000);
    EXPECT_EQ(list.at(1).preWaitMs, 200);
    list.replaceAt(0, [] { ActionRecord r; r.postWaitMs = INT32_MAX - 10; return r; }());
    list.adjustAllWaits(WaitKind::Post, 500);
    EXPECT_EQ(list.at(0).postWaitMs, INT32_MAX);  // saturates rather than wrapping negative
}

TEST(ActionList, OutOfRangePositionsThrowAndChangeNothing) {
    ActionList list = listOf({condition(1), tagged(1)});
    const std::vector<ActionRecord> before = list.records();
    EXPECT_THROW(list.insertAt(-1, tagged(9)), std::invalid_argument);
    EXPECT_THROW(list.insertAt(3, tagged(9)), std::invalid_argument);
    EXPECT_THROW(list.removeAt(2), std::invalid_argument);
    EXPECT_THROW(list.removeAt(-1), std::invalid_argument);
    EXPECT_THROW(list.recordAt(2), std::invalid_argument);
    EXPECT_THROW(list.replaceAt(2, tagged(9)), std::invalid_argument);
    EXPECT_THROW(list.replaceAt(-1, tagged(9)), std::invalid_argument);
    EXPECT_EQ(list.records(), before);
    ActionList empty;
    EXPECT_THROW(empty.removeAt(0), std::invalid_argument);
    EXPECT_NO_THROW(empty.insertAt(0, tagged(1)));
}

TEST(ActionList, ReplaceAndClearTouchOnlyWhatTheySay) {
    ActionList list = listOf({condition(1), tagged(1)});
    list.replaceAt(1, tagged(5));
    EXPECT_EQ(list.at(0).trueJump, 1);
    EXPECT_EQ(list.recordAt(1).x, 5);
    Macro macro;
    macro.actions = list;
    macro.loopEnabled = 1;
    macro.loopCount = 4;
    macro.actions.clear();
    EXPECT_TRUE(macro.actions.empty());
    EXPECT_EQ(macro.loopEnabled, 1);
    EXPECT_EQ(macro.loopCount, 4);
}

}  // namespace
}  // namespace tappling
