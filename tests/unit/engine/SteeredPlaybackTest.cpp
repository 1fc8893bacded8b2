// The run as the user steers it: its speed, a first pass from a chosen row, and the
// buttons a stopped run leaves pressed.
#include <gtest/gtest.h>

#include <functional>
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
    // Steps every ms until the run ends; before each step `before` may act on the run.
    StepResult play(const std::function<void()>& before = {}) {
        for (int i = 0; i < 1'000'000; ++i) {
            fake.clock.advance(1);
            if (before) before();
            const StepResult r = player.step();
            if (r != StepResult::Continue && r != StepResult::RecordDone) return r;
        }
        return StepResult::Continue;
    }
    // The x of every left press, in order (each record clicks at its own row number).
    std::vector<int32_t> clickedRows() const {
        std::vector<int32_t> rows;
        for (const std::string& e : fake.log.effects()) {
            if (e.rfind("cursor ", 0) == 0) lastX = std::stoi(e.substr(7));
            if (e == "mouse LeftDown") rows.push_back(lastX);
        }
        return rows;
    }
    mutable int32_t lastX = -1;
};

TEST(SteeredPlayback, EveryWaitIsScaledExactlyToTheTick) {
    struct Case {
        PlaybackSpeed speed;
        int records;
        int32_t postWait;
        uint32_t endsAfter;  // ms after the start
    };
    const Case cases[] = {
        {PlaybackSpeed::Normal, 200, 50, 10'000},   {PlaybackSpeed::Double, 200, 50, 5'000},
        {PlaybackSpeed::Half, 200, 50, 20'000},     {PlaybackSpeed::Quarter, 200, 50, 40'000},
        {PlaybackSpeed::Quadruple, 200, 50, 2'500},
        {PlaybackSpeed::Quadruple, 300, 33, 2'475},  // 8.25 ms each: rounding every wait would drift
        {PlaybackSpeed::Double, 301, 33, 4'967},     // 4966.5 ms: ends at the first tick past it
        {PlaybackSpeed::Quadruple, 1001, 17, 4'255},  // 4254.25 ms
    };
    for (const Case& c : cases) {
        Rig rig;
        for (int i = 0; i < c.records; ++i) rig.add(record(ActionType::LeftClick, 0, c.postWait));
        rig.player.playbackSpeed = c.speed;
        rig.player.beginRun(0);
        EXPECT_EQ(rig.play(), StepResult::Finished);
        EXPECT_EQ(rig.fake.clock.now() - kStart, c.endsAfter) << speedLabel(c.speed) << " " << c.records;
    }
}

TEST(SteeredPlayback, TheSpeedChosenAtAStartOrResumeHoldsUntilTheRunStops) {
    Rig rig;
    for (int i = 0; i < 10; ++i) rig.add(record(ActionType::LeftClick, 0, 100));
    rig.player.playbackSpeed = PlaybackSpeed::Double;
    rig.player.beginRun(0);
    const StepResult stopped = rig.play([&] {
        const uint32_t now = rig.fake.clock.now();
        if (now == kStart + 60) rig.player.playbackSpeed = PlaybackSpeed::Half;  // no effect until resumed
        if (now == kStart + 130) rig.fake.keys.press(kVkEscape, now);           // in record 3's wait
    });
    EXPECT_EQ(stopped, StepResult::Aborted);
    EXPECT_EQ(rig.player.currentIndex, 2);
    EXPECT_EQ(rig.player.speedInForce(), PlaybackSpeed::Double);

    rig.fake.clock.advance(5'000);
    const uint32_t resumedAt = rig.fake.clock.now();
    rig.player.beginRun(1);
    EXPECT_EQ(rig.player.speedInForce(), PlaybackSpeed::Half);
    EXPECT_EQ(rig.play(), StepResult::Finished);
    EXPECT_EQ(rig.fake.clock.now() - resumedAt, 8u * 200);  // the interrupted wait starts over
}

TEST(SteeredPlayback, TheFirstPassStartsAtTheChosenRowLaterPassesAtTheTop) {
    struct Case {
        const char* name;
        int32_t firstRow;
        int32_t loopCount;  // 0: no loop
        int stopAfterClicks;  // ESC after this many clicks, then resume (0: none)
        std::vector<int32_t> clicked;
    };
    // Row 0 plays on the first pass only; row 2 jumps over row 3.
    const Case cases[] = {
        {"one pass", 3, 0, 0, {3, 4}},
        {"looped", 3, 2, 0, {3, 4, 1, 4}},
        {"looped, stopped and resumed", 3, 3, 3, {3, 4, 1, 4, 1, 4}},
        {"on the jump", 2, 2, 0, {4, 1, 4}},
        {"first row", 0, 0, 0, {0, 1, 4}},
    };
    for (const Case& c : cases) {
        Rig rig;
        for (int32_t row = 0; row < 5; ++row) rig.add(record(ActionType::LeftClick, 0, 10, row));
        rig.player.actions().at(0).firstLoopOnly = 1;
        rig.player.actions().at(2).actionType = ActionType::Skip;
        rig.player.actions().at(2).trueJump = 2;
        rig.player.macro.loopEnabled = c.loopCount > 0;
        rig.player.macro.loopLimited = 1;
        rig.player.macro.loopCount = c.loopCount;
        rig.player.beginRun(0, c.firstRow);
        bool stopped = false;
        StepResult r = rig.play([&] {
            if (stopped || c.stopAfterClicks == 0 || rig.clickedRows().size() < static_cast<size_t>(c.stopAfterClicks)) return;
            rig.fake.keys.press(kVkEscape, rig.fake.clock.now());
            stopped = true;
        });
        if (c.stopAfterClicks > 0) {
            ASSERT_EQ(r, StepResult::Aborted) << c.name;
            rig.player.beginRun(1, c.firstRow);
            r = rig.play();
        }
        EXPECT_EQ(r, StepResult::Finished) << c.name;
        EXPECT_EQ(rig.clickedRows(), c.clicked) << c.name;
    }
}

TEST(SteeredPlayback, AButtonTheMacroLeftDownIsReleasedAtAnyEnd) {
    enum class End { Finished, Escape, Restored, JumpBeforeTheList };
    struct Case {
        std::vector<ActionType> actions;
        End end;
        std::vector<uint32_t> buttons;
    };
    using T = ActionType;
    const Case cases[] = {
        {{T::LeftDown}, End::Finished, {kLeftDown, kLeftUp}},
        {{T::LeftDown, T::LeftUp}, End::Finished, {kLeftDown, kLeftUp}},
        {{T::RightDown, T::LeftDown}, End::Escape, {kRightDown, kLeftDown, kLeftUp, kRightUp}},
        {{T::LeftDown, T::LeftClick}, End::Finished, {kLeftDown, kLeftDown, kLeftUp}},
        {{T::RightDown}, End::Restored, {kRightDown, kRightUp}},
        {{T::LeftDown}, End::JumpBeforeTheList, {kLeftDown, kLeftUp}},
        {{T::LeftClick, T::RightClick}, End::Escape, {kLeftDown, kLeftUp, kRightDown, kRightUp}},
    };
    for (const Case& c : cases) {
        Rig rig;
        for (const ActionType type : c.actions) rig.add(record(type, 0, 100, 7, 8));
        ActionRecord jump = record(ActionType::Condition, 0, 0, 7, 8);
        jump.conditionColor = 0x123456;  // absent: falseJump
        jump.falseJump = -10;
        if (c.end == End::JumpBeforeTheList) rig.add(jump);
        rig.add(record(ActionType::WaitOnly, 0, 1000));
        rig.player.beginRun(0);
        const StepResult r = rig.play([&] {
            if (rig.fake.clock.now() != kStart + 100 * c.actions.size() + 50) return;
            if (c.end == End::Escape) rig.fake.keys.press(kVkEscape, rig.fake.clock.now());
            if (c.end == End::Restored) rig.player.runState = RunState::StopRequested;
        });
        EXPECT_NE(r, StepResult::Continue);
        EXPECT_EQ(rig.fake.input.buttons, c.buttons) << static_cast<int>(c.end) << " " << c.actions.size();
        const auto effects = rig.fake.log.effects();
        EXPECT_EQ(effects.back().rfind("mouse ", 0), 0u);  // released where the pointer is, not moved first
        rig.player.endRun();                                 // a second end releases nothing more
        EXPECT_EQ(rig.fake.input.buttons, c.buttons);
    }
}

}  // namespace
}  // namespace tappling
