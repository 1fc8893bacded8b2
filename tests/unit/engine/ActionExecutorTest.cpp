#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/PlayerTestSupport.h"
#include "engine/RandomOffsets.h"

namespace tappling {
namespace {

using testing::record;
using Effects = std::vector<std::string>;

const Effects kAt100x200 = {"cursor 100,200", "clip-free"};

Effects concat(Effects a, const Effects& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Effects ctrl(const std::string& vk) { return {"key 0x11 0x1", "key " + vk + " 0x0", "key 0x11 0x3"}; }

struct TypeCase {
    int32_t type;
    Effects effects;
};

class ExecutorTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ExecutorTypes, SendsExactlyTheEventsOfTheType) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    player.actions().append(record(static_cast<ActionType>(GetParam().type), 0, 0, 100, 200));
    int32_t index = 0;
    EXPECT_EQ(player.executeAction(index), ExecResult::Next);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(fake.log.effects(), GetParam().effects);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlainType, ExecutorTypes,
    ::testing::Values(
        TypeCase{0, concat(kAt100x200, {"mouse LeftDown", "mouse LeftUp"})},
        TypeCase{1, concat(kAt100x200, {"mouse LeftDown", "mouse LeftUp", "mouse LeftDown", "mouse LeftUp"})},
        TypeCase{2, concat(kAt100x200, {"mouse LeftUp"})},
        TypeCase{3, concat(kAt100x200, {"mouse LeftDown"})},
        TypeCase{4, concat(kAt100x200, {"mouse RightDown", "mouse RightUp"})},
        TypeCase{5, concat(kAt100x200, {"mouse RightDown", "mouse RightUp", "mouse RightDown", "mouse RightUp"})},
        TypeCase{6, concat(kAt100x200, {"mouse RightUp"})},
        TypeCase{7, concat(kAt100x200, {"mouse RightDown"})},
        TypeCase{8, kAt100x200},
        TypeCase{9, {}},
        TypeCase{11, ctrl("0x43")},
        TypeCase{12, ctrl("0x56")},
        TypeCase{13, ctrl("0x41")},
        TypeCase{14, {"key 0x2e 0x0"}},
        TypeCase{15, {"key 0xd 0x0"}},
        TypeCase{16, {"key 0x9 0x0"}},
        TypeCase{17, {"key 0x26 0x0"}},
        TypeCase{18, {"key 0x28 0x0"}},
        TypeCase{19, {"key 0x25 0x0"}},
        TypeCase{20, {"key 0x27 0x0"}},
        TypeCase{24, {"shutdown"}},
        TypeCase{25, ctrl("0x27")},
        TypeCase{26, kAt100x200},
        TypeCase{-1, kAt100x200},
        TypeCase{1000000, kAt100x200}));

TEST(Executor, IndexOutsideTheListDoesNothing) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    player.randomMode = 1;
    player.actions().append(record(ActionType::LeftClick, 0, 0, 1, 1));
    for (const int32_t outside : {-1, 1, INT32_MAX}) {
        int32_t index = outside;
        EXPECT_EQ(player.executeAction(index), ExecResult::Next);
        EXPECT_EQ(index, outside);
    }
    EXPECT_TRUE(fake.log.all().empty());
}

TEST(Executor, KeyboardInputPastesThroughTheClipboard) {
    struct Case {
        std::string text;
        bool clipboardWorks;
        int32_t newline;
        Effects effects;
        std::string clipboardAfter;
    };
    const std::vector<Case> cases = {
        {"abc", true, 0, concat({"clipboard abc"}, ctrl("0x56")), "abc"},
        {"abc", true, 1, concat(concat({"clipboard abc"}, ctrl("0x56")), {"key 0xd 0x0"}), "abc"},
        {"abc", true, -3, concat(concat({"clipboard abc"}, ctrl("0x56")), {"key 0xd 0x0"}), "abc"},
        // An empty text places nothing and pastes what the clipboard held before.
        {"", true, 0, ctrl("0x56"), "old"},
        // The clipboard could not be opened: the paste still goes out.
        {"\x93\xfa\x96\x7b", false, 1, concat(concat({"clipboard-failed \x93\xfa\x96\x7b"}, ctrl("0x56")), {"key 0xd 0x0"}), "old"},
    };
    for (const Case& c : cases) {
        fake::FakePlatform fake;
        fake.clipboard.text = "old";
        fake.clipboard.succeeds = c.clipboardWorks;
        MacroPlayer player(fake.platform);
        ActionRecord r = record(ActionType::KeyboardInput, 0, 0, 5, 5);
        r.inputText = c.text;
        r.newlineAfterInput = c.newline;
        player.actions().append(r);
        int32_t index = 0;
        EXPECT_EQ(player.executeAction(index), ExecResult::Next);
        EXPECT_EQ(fake.log.effects(), c.effects) << "text '" << c.text << "'";
        EXPECT_EQ(fake.clipboard.text, c.clipboardAfter);
    }
}

TEST(Executor, RandomModeLandsOnlyOnTheFifteenTablePoints) {
    fake::FakePlatform fake;
    uint32_t seed = 12345;
    fake.random.generator = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    MacroPlayer player(fake.platform);
    player.randomMode = 1;
    player.actions().append(record(ActionType::LeftClick, 0, 0, 100, 100));
    std::map<std::pair<int32_t, int32_t>, int> hits;
    constexpr int kDraws = 15000;
    for (int i = 0; i < kDraws; ++i) {
        int32_t index = 0;
        player.executeAction(index);
        ++hits[{fake.input.position.x, fake.input.position.y}];
    }
    std::set<std::pair<int32_t, int32_t>> table;
    for (int k = 1; k <= 15; ++k) table.insert({100 + randomOffsets[k].x, 100 + randomOffsets[k].y});
    EXPECT_EQ(table.size(), 15u);
    for (const auto& [point, count] : hits) {
        EXPECT_TRUE(table.count(point)) << point.first << "," << point.second;
        // About one in fifteen each (1000 expected).
        EXPECT_GT(count, 800);
        EXPECT_LT(count, 1200);
    }
    EXPECT_EQ(hits.size(), 15u);
    EXPECT_EQ(hits[std::make_pair(100, 100)] > 0, true);
}

TEST(Executor, RandomValueModuloFifteenPicksTheTableEntry) {
    const std::vector<std::pair<int, Point>> cases = {
        {0, {0, 0}},     {1, {-2, 1}},  {2, {0, -1}},   {3, {2, 0}},    {4, {-1, 1}},
        {5, {1, -1}},    {6, {-1, 0}},  {7, {1, 1}},    {8, {-1, -1}},  {9, {1, 0}},
        {10, {-2, -1}},  {11, {2, 1}},  {12, {-2, 0}},  {13, {0, 1}},   {14, {2, -1}},
        {15, {0, 0}},    {32767, {1, 1}},  // 32767 % 15 == 7: k 8
    };
    for (const auto& [value, d] : cases) {
        fake::FakePlatform fake;
        fake.random.script = {value};
        MacroPlayer player(fake.platform);
        player.randomMode = 1;
        player.actions().append(record(ActionType::MoveOnly, 0, 0, 50, 60));
        int32_t index = 0;
        player.executeAction(index);
        const Point expected{50 + d.x, 60 + d.y};
        EXPECT_EQ(fake.input.position, expected) << "rand " << value;
    }
}

TEST(Executor, RandomModeDrawsForEveryTypeButMovesOnlyPositionedOnes) {
    fake::FakePlatform fake;
    fake.random.script = {3, 3, 3};
    MacroPlayer player(fake.platform);
    player.randomMode = 1;
    player.actions().append(record(ActionType::WaitOnly));
    player.actions().append(record(ActionType::EnterKey));
    player.actions().append(record(ActionType::Skip));
    for (int32_t i = 0; i < 3; ++i) {
        int32_t index = i;
        player.executeAction(index);
    }
    EXPECT_EQ(fake.random.draws, 3);
    EXPECT_EQ(fake.log.effects(), (Effects{"key 0xd 0x0"}));
}

TEST(Executor, OffsetAddsTheFoundDisplacementAfterTheRandomOne) {
    fake::FakePlatform fake;
    fake.random.script = {3};  // k 4: (+2, 0)
    MacroPlayer player(fake.platform);
    player.randomMode = 1;
    ActionRecord base = record(ActionType::Condition);
    base.foundDx = 7;
    base.foundDy = -3;
    player.actions().append(base);
    ActionRecord click = record(ActionType::LeftClick, 0, 0, 100, 100);
    click.offsetEnabled = 1;
    click.offsetRef = -1;
    player.actions().append(click);
    int32_t index = 1;
    player.executeAction(index);
    EXPECT_EQ(fake.input.position, (Point{109, 97}));
}

TEST(Executor, OffsetReferenceOutsideTheListIsNoOffset) {
    for (const int32_t ref : {-2, 1, 5, INT32_MIN, INT32_MAX}) {
        fake::FakePlatform fake;
        MacroPlayer player(fake.platform);
        ActionRecord base = record(ActionType::Condition);
        base.foundDx = 7;
        player.actions().append(base);
        ActionRecord click = record(ActionType::LeftClick, 0, 0, 10, 20);
        click.offsetEnabled = 1;
        click.offsetRef = ref;
        player.actions().append(click);
        int32_t index = 1;
        player.executeAction(index);
        EXPECT_EQ(fake.input.position, (Point{10, 20})) << ref;
    }
}

TEST(Executor, OffsetNeedsTheFlagExactlyOne) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    ActionRecord click = record(ActionType::LeftClick, 0, 0, 10, 20);
    click.foundDx = 5;
    click.offsetEnabled = 2;
    click.offsetRef = 0;
    player.actions().append(click);
    int32_t index = 0;
    player.executeAction(index);
    EXPECT_EQ(fake.input.position, (Point{10, 20}));
}

TEST(Executor, SkipJumpsByTrueJumpAfterTheWait) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    for (int i = 0; i < 4; ++i) player.actions().append(record(ActionType::WaitOnly));
    ActionRecord skip = record(ActionType::Skip);
    skip.trueJump = -2;
    player.actions().append(skip);
    int32_t index = 4;
    EXPECT_EQ(player.executeAction(index), ExecResult::JumpAfterWait);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(fake.log.effects().empty());
}

TEST(Executor, JumpTargetsSaturateInsteadOfOverflowing) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    player.actions().append(record(ActionType::WaitOnly));
    ActionRecord skip = record(ActionType::Skip);
    skip.trueJump = INT32_MAX;
    player.actions().append(skip);
    int32_t index = 1;
    EXPECT_EQ(player.executeAction(index), ExecResult::JumpAfterWait);
    EXPECT_EQ(index, INT32_MAX);
}

struct ConditionCase {
    int32_t invert;
    bool colourPresent;
    ExecResult result;
    int32_t index;  // from 5 with trueJump +3, falseJump -4
};

class ExecutorCondition : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(ExecutorCondition, BranchesOnTheColourTest) {
    const ConditionCase& c = GetParam();
    fake::FakePlatform fake;
    if (c.colourPresent) fake.screen.setPixel(300, 400, 0x123456);
    MacroPlayer player(fake.platform);
    player.randomMode = 1;  // the search point is the stored one even in random mode
    fake.random.script = {1};
    for (int i = 0; i < 5; ++i) player.actions().append(record(ActionType::WaitOnly));
    ActionRecord cond = record(ActionType::Condition, 0, 0, 300, 400);
    cond.conditionColor = 0x123456;
    cond.invertCondition = c.invert;
    cond.trueJump = 3;
    cond.falseJump = -4;
    cond.foundDx = 7;  // an earlier find
    player.actions().append(cond);
    int32_t index = 5;
    EXPECT_EQ(player.executeAction(index), c.result);
    EXPECT_EQ(index, c.index);
    // A condition never moves the pointer, and its search ignores the random displacement.
    EXPECT_TRUE(fake.log.effects().empty());
    EXPECT_EQ(fake.random.draws, 1);
    // Every invert value searches, and a find is kept for the records offset by this one.
    ASSERT_EQ(fake.screen.captures.size(), 1u);
    EXPECT_EQ(fake.screen.captures[0], (ScreenRect{300, 400, 301, 401}));
    EXPECT_EQ(player.actions().at(5).foundDx, c.colourPresent ? 0 : 7);
}

INSTANTIATE_TEST_SUITE_P(InvertValues, ExecutorCondition,
                         ::testing::Values(ConditionCase{0, true, ExecResult::JumpAfterWait, 8},
                                           ConditionCase{0, false, ExecResult::JumpNow, 1},
                                           ConditionCase{1, true, ExecResult::JumpNow, 1},
                                           ConditionCase{1, false, ExecResult::JumpAfterWait, 8},
                                           ConditionCase{2, true, ExecResult::Next, 5},
                                           ConditionCase{-1, false, ExecResult::Next, 5}));

TEST(Executor, ConditionKeepsTheLastFoundDisplacementWhenNotFound) {
    fake::FakePlatform fake;
    fake.screen.setPixel(52, 49, 0xABCDEF);
    MacroPlayer player(fake.platform);
    ActionRecord cond = record(ActionType::Condition, 0, 0, 50, 50);
    cond.conditionColor = 0xABCDEF;
    cond.searchRangeX = 3;
    cond.searchRangeY = 3;
    player.actions().append(cond);
    int32_t index = 0;
    player.executeAction(index);
    EXPECT_EQ(player.actions().at(0).foundDx, 2);
    EXPECT_EQ(player.actions().at(0).foundDy, -1);
    fake.screen.setPixel(52, 49, 0);
    index = 0;
    EXPECT_EQ(player.executeAction(index), ExecResult::JumpNow);
    EXPECT_EQ(player.actions().at(0).foundDx, 2);
    EXPECT_EQ(player.actions().at(0).foundDy, -1);
}

TEST(Executor, ExecuteFileStartsTheWorkerAndRestartsTheWaitBase) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    ActionRecord run = record(ActionType::ExecuteFile);
    run.filePath = "C:\\tools\\a.exe";
    run.startMaximized = 1;
    player.actions().append(run);
    player.timeBase = 5;
    fake.clock.set(777);
    int32_t index = 0;
    EXPECT_EQ(player.executeAction(index), ExecResult::Next);
    EXPECT_EQ(player.timeBase, 777u);
    ASSERT_TRUE(player.fileRunWorker);
    ASSERT_TRUE(fake.shell.waitForReturns(1));
    EXPECT_EQ(fake.shell.calls(), (std::vector<std::pair<std::string, bool>>{{"C:\\tools\\a.exe", true}}));
    EXPECT_TRUE(fake.log.texts({fake::EventKind::SetCursorPos}).empty());
}

}  // namespace
}  // namespace tappling
