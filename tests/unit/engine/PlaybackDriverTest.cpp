#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

using testing::record;
using testing::stepUntilEnd;

constexpr uint32_t kStart = 10'000;

struct Rig {
    fake::FakePlatform fake;
    MacroPlayer player{fake.platform};

    Rig() { fake.clock.set(kStart); }
    void add(ActionRecord r) { player.actions().append(std::move(r)); }
    void clicks(int n, int32_t pre = 500, int32_t post = 500) {
        for (int i = 0; i < n; ++i) add(record(ActionType::LeftClick, pre, post, i, i));
    }
    // A run stopped with ESC, which can be resumed.
    void stopARun() {
        player.beginRun(0);
        fake.keys.press(kVkEscape, fake.clock.now() + 1);
        testing::stepUntilEnd(player, fake.clock, 10);
        player.runState = RunState::Idle;
    }
    void loops(int32_t enabled, int32_t limited, int32_t count) {
        player.macro.loopEnabled = enabled;
        player.macro.loopLimited = limited;
        player.macro.loopCount = count;
    }
    // Plays from the first record until the run ends, a step every `spacing` ms.
    testing::RunOutcome play(uint32_t spacing = 1, int maxSteps = 1'000'000) {
        player.beginRun(0);
        return stepUntilEnd(player, fake.clock, spacing, maxSteps);
    }
    size_t clickCount() const {
        size_t n = 0;
        for (const uint32_t flag : fake.input.buttons) n += flag == kLeftDown;
        return n;
    }
};

class ThreeClickSchedule : public ::testing::TestWithParam<uint32_t> {};

TEST_P(ThreeClickSchedule, EndsAtThreeSecondsWhateverTheTickSpacing) {
    const uint32_t spacing = GetParam();
    Rig rig;
    rig.clicks(3);
    rig.player.beginRun(0);
    std::vector<uint32_t> clickTicks;
    StepResult r = StepResult::Continue;
    for (int i = 0; i < 100000 && (r == StepResult::Continue || r == StepResult::RecordDone); ++i) {
        const size_t before = rig.clickCount();
        rig.fake.clock.advance(spacing);
        r = rig.player.step();
        if (rig.clickCount() > before) clickTicks.push_back(rig.fake.clock.now());
    }
    EXPECT_EQ(r, StepResult::Finished);
    EXPECT_EQ(rig.player.timeBase, kStart + 3000);  // the schedule does not drift
    EXPECT_GE(rig.fake.clock.now(), kStart + 3000);
    EXPECT_LT(rig.fake.clock.now(), kStart + 3000 + spacing);  // within one tick
    ASSERT_EQ(clickTicks.size(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        const uint32_t due = kStart + 500 + 1000 * i;
        // The pre-wait ends at the first tick at or past its deadline; the click follows a tick later.
        EXPECT_GE(clickTicks[i], due + spacing) << i;
        EXPECT_LT(clickTicks[i], due + 2 * spacing) << i;
    }
    EXPECT_EQ(rig.player.loopsDone, 1u);
}

INSTANTIATE_TEST_SUITE_P(TickSpacings, ThreeClickSchedule, ::testing::Values(1u, 7u, 10u, 16u, 33u));

TEST(PlaybackDriver, ScheduleStaysRightAcrossTheClockWrap) {
    for (const uint32_t spacing : {1u, 10u, 16u}) {
        Rig rig;
        const uint32_t start = 0xFFFFFFFFu - 1200;
        rig.fake.clock.set(start);
        rig.clicks(3);
        const auto out = rig.play(spacing);
        EXPECT_EQ(out.result, StepResult::Finished);
        EXPECT_EQ(rig.player.timeBase, start + 3000);
        EXPECT_LT(out.endTick - (start + 3000), spacing);
        EXPECT_EQ(rig.clickCount(), 3u);
    }
}

TEST(PlaybackDriver, WaitElapsedMovesTheBaseByExactlyTheWait) {
    struct Case {
        uint32_t base, now;
        int32_t wait;
        bool elapsed;
        uint32_t baseAfter;
    };
    const std::vector<Case> cases = {
        {1000, 1499, 500, false, 1000},
        {1000, 1500, 500, true, 1500},
        {1000, 1730, 500, true, 1500},      // a late tick does not move the base to now
        {1000, 1000, 0, true, 1000},
        {1000, 1000, -300, true, 1000},     // a negative wait is no wait
        {0xFFFFFF00u, 0xFFFFFF10u, 500, false, 0xFFFFFF00u},  // deadline beyond the wrap
        {0xFFFFFF00u, 0x000000F3u, 500, false, 0xFFFFFF00u},
        {0xFFFFFF00u, 0x000000F4u, 500, true, 0x000000F4u},
        {0xFFFFFFFFu, 0x00000000u, 1, true, 0},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.player.timeBase = c.base;
        rig.fake.clock.set(c.now);
        EXPECT_EQ(rig.player.waitElapsed(c.wait), c.elapsed) << c.base << " " << c.now << " " << c.wait;
        EXPECT_EQ(rig.player.timeBase, c.baseAfter);
    }
}

TEST(PlaybackDriver, LimitedLoopRunsTheGivenPasses) {
    Rig rig;
    rig.clicks(2, 10, 10);
    rig.loops(1, 1, 3);
    const auto out = rig.play(5);
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.player.loopsDone, 3u);
    EXPECT_EQ(rig.clickCount(), 6u);
}

TEST(PlaybackDriver, LoopCountsZeroOneAndLoopOffEndAfterOnePass) {
    struct Case {
        int32_t enabled, limited, count;
    };
    for (const Case c : {Case{1, 1, 0}, Case{1, 1, 1}, Case{0, 1, 5}, Case{0, 0, 5}, Case{0, 0, 0}}) {
        Rig rig;
        rig.clicks(2, 10, 10);
        rig.loops(c.enabled, c.limited, c.count);
        const auto out = rig.play(5);
        EXPECT_EQ(out.result, StepResult::Finished);
        EXPECT_EQ(rig.player.loopsDone, 1u);
        EXPECT_EQ(rig.clickCount(), 2u);
    }
}

TEST(PlaybackDriver, EndlessLoopStoppedInTheFifthPass) {
    Rig rig;
    rig.clicks(2, 100, 100);
    rig.loops(1, 0, 3);
    rig.player.beginRun(0);
    while (rig.player.loopsDone < 4) {
        rig.fake.clock.advance(10);
        const StepResult r = rig.player.step();
        ASSERT_TRUE(r == StepResult::Continue || r == StepResult::RecordDone);
    }
    for (int i = 0; i < 30; ++i) {  // into the fifth pass
        rig.fake.clock.advance(10);
        const StepResult r5 = rig.player.step();
        ASSERT_TRUE(r5 == StepResult::Continue || r5 == StepResult::RecordDone);
    }
    ASSERT_EQ(rig.player.loopsDone, 4u);
    rig.fake.keys.press(kVkEscape, rig.fake.clock.now() + 5);
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 10);
    EXPECT_EQ(out.result, StepResult::Aborted);
    EXPECT_EQ(rig.player.loopsDone, 4u);
    EXPECT_EQ(rig.player.resumable(), 1);
}

TEST(PlaybackDriver, PassBoundRestartsTheCountOrEndsALimitedRun) {
    {
        Rig rig;
        rig.clicks(1, 0, 0);
        rig.loops(1, 0, 0);
        rig.player.beginRun(0);
        rig.player.loopsDone = kMaxLoopsDone - 1;
        // Three steps make one pass: pre-wait, action, post-wait.
        const auto out = stepUntilEnd(rig.player, rig.fake.clock, 1, 3);
        EXPECT_EQ(out.result, StepResult::Continue);  // still running
        EXPECT_EQ(out.recordsDone, 1);
        EXPECT_EQ(rig.player.loopsDone, 0u);
        EXPECT_EQ(rig.player.currentIndex, 0);
    }
    for (const int32_t count : {-1, INT32_MIN}) {  // a negative count is a huge unsigned one
        Rig rig;
        rig.clicks(1, 0, 0);
        rig.loops(1, 1, count);
        rig.player.beginRun(0);
        rig.player.loopsDone = kMaxLoopsDone - 2;
        const auto out = stepUntilEnd(rig.player, rig.fake.clock, 1);
        EXPECT_EQ(out.result, StepResult::Finished);
        EXPECT_EQ(rig.player.loopsDone, kMaxLoopsDone);
        EXPECT_EQ(rig.clickCount(), 2u);
    }
}

TEST(PlaybackDriver, FirstLoopOnlyRecordsRunOnTheFirstPassWithoutLaterWaits) {
    Rig rig;
    ActionRecord once = record(ActionType::RightClick, 1000, 1000, 1, 1);
    once.firstLoopOnly = 1;
    rig.add(once);
    rig.add(record(ActionType::LeftClick, 100, 100, 2, 2));
    rig.loops(1, 1, 3);
    const auto out = rig.play();
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::MouseButton}),
              (std::vector<std::string>{"mouse RightDown", "mouse RightUp", "mouse LeftDown", "mouse LeftUp",
                                        "mouse LeftDown", "mouse LeftUp", "mouse LeftDown", "mouse LeftUp"}));
    EXPECT_EQ(rig.player.timeBase, kStart + 2000 + 3 * 200);
}

TEST(PlaybackDriver, RepeatCountRunsTheWholeRecordAgain) {
    Rig rig;
    ActionRecord a = record(ActionType::LeftClick, 100, 50, 1, 1);
    a.repeatCount = 3;
    rig.add(a);
    rig.add(record(ActionType::RightClick, 0, 0, 2, 2));
    const auto out = rig.play();
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::SetCursorPos}),
              (std::vector<std::string>{"cursor 1,1", "cursor 1,1", "cursor 1,1", "cursor 2,2"}));
    EXPECT_EQ(rig.player.timeBase, kStart + 3 * 150);
    EXPECT_EQ(out.recordsDone, 3);  // three times the first record; the second ends the run
}

TEST(PlaybackDriver, FirstLoopOnlyNeedsExactlyOneAndRepeatCountsBelowOneRunOnce) {
    struct Case { int32_t firstLoopOnly, repeatCount, passes; size_t clicks; };
    for (const Case c : {Case{2, 1, 3, 3}, Case{0, 0, 1, 1}, Case{0, -5, 1, 1}}) {
        Rig rig;
        ActionRecord r = record(ActionType::LeftClick, 0, 0);
        r.firstLoopOnly = c.firstLoopOnly;
        r.repeatCount = c.repeatCount;
        rig.add(r);
        rig.loops(1, 1, c.passes);
        rig.play();
        EXPECT_EQ(rig.clickCount(), c.clicks) << c.firstLoopOnly << " " << c.repeatCount;
    }
}

TEST(PlaybackDriver, SkipJumpsAfterItsPostWait) {
    Rig rig;
    rig.add(record(ActionType::MoveOnly, 0, 0, 1, 1));
    ActionRecord skip = record(ActionType::Skip, 100, 400);
    skip.trueJump = 2;
    rig.add(skip);
    rig.add(record(ActionType::MoveOnly, 0, 0, 2, 2));
    rig.add(record(ActionType::MoveOnly, 0, 0, 3, 3));
    const auto out = rig.play();
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::SetCursorPos}),
              (std::vector<std::string>{"cursor 1,1", "cursor 3,3"}));
    EXPECT_EQ(rig.player.timeBase, kStart + 500);
}

TEST(PlaybackDriver, FailedConditionJumpsAtOnceWithoutPostWaitOrRepeats) {
    Rig rig;
    ActionRecord cond = record(ActionType::Condition, 100, 5000, 10, 10);
    cond.conditionColor = 0x123456;  // absent
    cond.falseJump = 2;
    cond.repeatCount = 4;
    rig.add(cond);
    rig.add(record(ActionType::MoveOnly, 0, 0, 2, 2));
    rig.add(record(ActionType::MoveOnly, 30, 20, 3, 3));
    const auto out = rig.play();
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::SetCursorPos}), (std::vector<std::string>{"cursor 3,3"}));
    EXPECT_EQ(rig.player.timeBase, kStart + 150);
    EXPECT_EQ(rig.fake.screen.captures.size(), 1u);
}

TEST(PlaybackDriver, RecordedConditionRetriesUntilTheColourAppears) {
    Rig rig;
    ActionRecord cond = record(ActionType::Condition, 500, 500, 10, 10);
    cond.conditionColor = 0x00FF00;  // trueJump 1, falseJump 0 as recorded
    rig.add(cond);
    rig.add(record(ActionType::MoveOnly, 0, 0, 2, 2));
    rig.player.beginRun(0);
    // Absent for the first three searches, then present.
    while (rig.fake.screen.captures.size() < 3) {
        rig.fake.clock.advance(10);
        ASSERT_EQ(rig.player.step(), StepResult::Continue);
    }
    rig.fake.screen.setPixel(10, 10, 0x00FF00);
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 10);
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.fake.screen.captures.size(), 4u);
    EXPECT_EQ(rig.player.timeBase, kStart + 4 * 500 + 500);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::SetCursorPos}), (std::vector<std::string>{"cursor 2,2"}));
}

struct EndJumpCase {
    const char* name;
    bool colourPresent;  // present: trueJump (after the wait); absent: falseJump (at once)
    int32_t jump;
    StepResult result;
    uint32_t loopsDone;
};

class JumpsAtTheEnd : public ::testing::TestWithParam<EndJumpCase> {};

TEST_P(JumpsAtTheEnd, EndThePassOrTheRun) {
    const EndJumpCase& c = GetParam();
    Rig rig;
    rig.add(record(ActionType::MoveOnly, 0, 0, 1, 1));
    ActionRecord cond = record(ActionType::Condition, 10, 10, 10, 10);
    cond.conditionColor = 0x00FF00;
    cond.trueJump = c.jump;
    cond.falseJump = c.jump;
    rig.add(cond);
    rig.add(record(ActionType::MoveOnly, 0, 0, 3, 3));
    if (c.colourPresent) rig.fake.screen.setPixel(10, 10, 0x00FF00);
    rig.loops(1, 1, 2);
    const auto out = rig.play(1, 10000);
    EXPECT_EQ(out.result, c.result);
    EXPECT_EQ(rig.player.loopsDone, c.loopsDone);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, JumpsAtTheEnd,
    ::testing::Values(EndJumpCase{"AfterWaitToTheEnd", true, 2, StepResult::Finished, 2},
                      EndJumpCase{"AfterWaitPastTheEnd", true, 50, StepResult::Finished, 2},
                      EndJumpCase{"AfterWaitFarPastTheEnd", true, INT32_MAX, StepResult::Finished, 2},
                      EndJumpCase{"NowToTheEnd", false, 2, StepResult::EndOfList, 0},
                      EndJumpCase{"NowPastTheEnd", false, 50, StepResult::EndOfList, 0},
                      EndJumpCase{"AfterWaitBeforeTheStart", true, -2, StepResult::EndOfList, 0},
                      EndJumpCase{"NowBeforeTheStart", false, -2, StepResult::EndOfList, 0},
                      EndJumpCase{"NowFarBeforeTheStart", false, INT32_MIN, StepResult::EndOfList, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaybackDriver, EmptyListOrIndexOutsideIsEndOfList) {
    Rig rig;
    rig.player.beginRun(0);
    EXPECT_EQ(rig.player.step(), StepResult::EndOfList);
    rig.clicks(2);
    rig.player.currentIndex = 2;
    EXPECT_EQ(rig.player.step(), StepResult::EndOfList);
    rig.player.currentIndex = -1;
    EXPECT_EQ(rig.player.step(), StepResult::EndOfList);
}

TEST(PlaybackDriver, StopRequestAbortsWithoutMakingTheRunResumable) {
    Rig rig;
    rig.clicks(3);
    rig.player.beginRun(0);
    rig.fake.clock.advance(10);
    rig.player.step();
    rig.player.runState = RunState::StopRequested;
    EXPECT_EQ(rig.player.step(), StepResult::Aborted);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
    EXPECT_EQ(rig.player.resumable(), 0);
}

TEST(PlaybackDriver, PressesBeforeTheStartDoNotCount) {
    Rig rig;
    rig.clicks(1, 10, 10);
    rig.fake.keys.press(kVkEscape, kStart - 100);
    rig.fake.keys.press(kVkF2, kStart - 50);
    rig.player.beginRun(0);
    EXPECT_EQ(rig.fake.log.texts({fake::EventKind::KeyQuery}),
              (std::vector<std::string>{"query 0x1b 0x1", "query 0x71 0x1"}));
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 1);
    EXPECT_EQ(out.result, StepResult::Finished);
}

TEST(PlaybackDriver, EscapeIsAskedFirstAndF2OnlyWhenItReportsNothing) {
    Rig rig;
    rig.clicks(1, 100, 100);
    rig.player.beginRun(0);
    rig.fake.keys.press(kVkEscape, kStart + 5);
    rig.fake.keys.press(kVkF2, kStart + 5);
    const int f2Before = rig.fake.keys.queries(kVkF2);
    rig.fake.clock.advance(10);
    EXPECT_EQ(rig.player.step(), StepResult::Aborted);
    EXPECT_EQ(rig.fake.keys.queries(kVkF2), f2Before);

    Rig f2;
    f2.clicks(1, 100, 100);
    f2.player.beginRun(0);
    f2.fake.keys.press(kVkF2, kStart + 5);
    f2.fake.clock.advance(10);
    EXPECT_EQ(f2.player.step(), StepResult::Aborted);
    EXPECT_EQ(f2.player.resumable(), 1);
}

// Steps until the predicate holds, without ending the run.
template <typename Pred>
void stepUntil(Rig& rig, uint32_t spacing, Pred pred) {
    for (int i = 0; i < 100000 && !pred(); ++i) {
        rig.fake.clock.advance(spacing);
        const StepResult r = rig.player.step();
        ASSERT_TRUE(r == StepResult::Continue || r == StepResult::RecordDone);
    }
    ASSERT_TRUE(pred());
}

TEST(PlaybackDriver, ResumeInThePreWaitStartsTheWaitOver) {
    Rig rig;
    rig.clicks(8, 1000, 0);
    rig.player.beginRun(0);
    stepUntil(rig, 10, [&] { return rig.player.currentIndex == 6; });
    rig.fake.clock.advance(400);  // part of record 7's pre-wait passes
    rig.fake.keys.press(kVkEscape, rig.fake.clock.now());
    EXPECT_EQ(rig.player.step(), StepResult::Aborted);
    EXPECT_EQ(rig.player.resumable(), 1);
    EXPECT_EQ(rig.player.currentIndex, 6);
    EXPECT_EQ(rig.player.phase, Phase::PreWait);
    EXPECT_EQ(rig.clickCount(), 6u);

    rig.fake.clock.advance(60'000);
    const uint32_t resumedAt = rig.fake.clock.now();
    rig.player.beginRun(1);
    EXPECT_EQ(rig.player.resumable(), 0);
    EXPECT_EQ(rig.player.timeBase, resumedAt);
    stepUntil(rig, 10, [&] { return rig.clickCount() == 7; });
    EXPECT_GE(rig.fake.clock.now(), resumedAt + 1000);
    EXPECT_LT(rig.fake.clock.now(), resumedAt + 1000 + 20);
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 10);
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.clickCount(), 8u);
}

TEST(PlaybackDriver, ResumeBeforeTheActionPerformsIt) {
    Rig rig;
    rig.clicks(2, 100, 100);
    rig.player.beginRun(0);
    stepUntil(rig, 10, [&] { return rig.player.currentIndex == 1 && rig.player.phase == Phase::Act; });
    rig.fake.keys.press(kVkF2, rig.fake.clock.now());
    EXPECT_EQ(rig.player.step(), StepResult::Aborted);
    EXPECT_EQ(rig.player.phase, Phase::Act);
    EXPECT_EQ(rig.clickCount(), 1u);
    rig.fake.clock.advance(5000);
    rig.player.beginRun(1);
    rig.fake.clock.advance(1);
    EXPECT_EQ(rig.player.step(), StepResult::Continue);
    EXPECT_EQ(rig.clickCount(), 2u);  // at the first step after resuming
}

TEST(PlaybackDriver, ResumeInThePostWaitWaitsItInFull) {
    Rig rig;
    rig.clicks(2, 100, 700);
    ActionRecord& first = rig.player.actions().at(0);
    first.repeatCount = 2;
    rig.player.beginRun(0);
    stepUntil(rig, 10, [&] { return rig.player.phase == Phase::PostWait && rig.player.repeatDone == 1; });
    rig.fake.clock.advance(300);
    rig.fake.keys.press(kVkEscape, rig.fake.clock.now());
    EXPECT_EQ(rig.player.step(), StepResult::Aborted);
    EXPECT_EQ(rig.player.repeatDone, 1);
    EXPECT_EQ(rig.player.nextIndex, 1);
    rig.fake.clock.advance(9000);
    const uint32_t resumedAt = rig.fake.clock.now();
    rig.player.beginRun(1);
    EXPECT_EQ(rig.player.repeatDone, 1);
    EXPECT_EQ(rig.player.phase, Phase::PostWait);
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 10);
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.clickCount(), 3u);  // the repeat was not redone
    EXPECT_EQ(rig.player.timeBase, resumedAt + 700 + 800);
}

TEST(PlaybackDriver, FreshStartResetsThePositionAndResume) {
    Rig rig;
    rig.clicks(2);
    rig.stopARun();
    ASSERT_EQ(rig.player.resumable(), 1);
    rig.player.currentIndex = 1;
    rig.player.nextIndex = 2;
    rig.player.repeatDone = 3;
    rig.player.phase = Phase::PostWait;
    rig.player.loopsDone = 9;
    rig.player.beginRun(0);
    EXPECT_EQ(rig.player.currentIndex, 0);
    EXPECT_EQ(rig.player.nextIndex, 0);
    EXPECT_EQ(rig.player.repeatDone, 0);
    EXPECT_EQ(rig.player.phase, Phase::PreWait);
    EXPECT_EQ(rig.player.loopsDone, 0u);
    EXPECT_EQ(rig.player.resumable(), 0);
    EXPECT_EQ(rig.player.runState, RunState::Running);
    EXPECT_EQ(rig.player.timeBase, rig.fake.clock.now());
}

TEST(PlaybackDriver, ResumeKeepsTheRunState) {
    Rig rig;
    rig.clicks(2);
    rig.stopARun();
    rig.player.currentIndex = 1;
    rig.player.beginRun(1);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
    EXPECT_EQ(rig.player.currentIndex, 1);
}

TEST(PlaybackDriver, ExecuteFilePostWaitCountsFromTheLaunch) {
    Rig rig;
    ActionRecord run = record(ActionType::ExecuteFile, 100, 500);
    run.filePath = "notes.txt";
    rig.add(run);
    rig.player.beginRun(0);
    uint32_t launchedAt = 0;
    stepUntil(rig, 33, [&] { return rig.player.fileRunWorker != nullptr; });
    launchedAt = rig.fake.clock.now();
    const auto out = stepUntilEnd(rig.player, rig.fake.clock, 33);
    EXPECT_EQ(out.result, StepResult::Finished);
    EXPECT_EQ(rig.player.timeBase, launchedAt + 500);
    ASSERT_TRUE(rig.fake.shell.waitForReturns(1));
}

}  // namespace
}  // namespace tappling
