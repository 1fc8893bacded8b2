#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/CommandRig.h"
#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

using testing::record;
using testing::Calls;

const std::string kAskSave = "ask " + std::string(kSaveQuestion);

struct Rig : testing::CommandRig {
    explicit Rig(int clicks = 2) {
        for (int i = 0; i < clicks; ++i)
            player.actions().append(testing::record(ActionType::LeftClick, 100, 100, i, i));
        path = "C:\\m\\a.TPM";
    }
    // Timer 3 ticks every `spacing` ms while it runs.
    void runTimer(uint32_t spacing = 10, int maxTicks = 1'000'000) {
        for (int i = 0; i < maxTicks && view.stepTimerOn; ++i) {
            fake.clock.advance(spacing);
            run.onStepTimer();
        }
    }
    // The loop boxes as the user left them: "ループ", "最大" and the count.
    void loops(int32_t checked, int32_t maxChecked, int32_t count) {
        view.loopChecked = checked;
        view.maxChecked = maxChecked;
        view.loopCount = count;
    }
    // The user presses a stop key `afterMs` from now; the timer then runs to the end.
    void stopWith(uint8_t vk, uint32_t afterMs = 50) {
        fake.keys.press(vk, fake.clock.now() + afterMs);
        runTimer();
    }
    // Ticks until the predicate holds (the run still going).
    template <typename Pred>
    void runTimerUntil(Pred pred, uint32_t spacing = 10) {
        for (int i = 0; i < 1'000'000 && view.stepTimerOn && !pred(); ++i) {
            fake.clock.advance(spacing);
            run.onStepTimer();
        }
    }
};

TEST(RunCommands, EmptyListDoesNothing) {
    Rig rig(0);
    rig.setFlags(1, 0);
    rig.run.run();
    EXPECT_TRUE(rig.view.calls.empty());
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, StartRunOrderAndTheSaveQuestion) {
    struct Case {
        int32_t modified;
        Answer answer;
        Calls calls;
        bool runs;
    };
    const std::vector<Case> cases = {
        {0, Answer::Cancel, {"hideMarker", "readLoopControls", "showMinimized", "startStepTimer"}, true},
        {1, Answer::Cancel, {"hideMarker", "readLoopControls", kAskSave}, false},
        {1, Answer::No, {"hideMarker", "readLoopControls", kAskSave, "showMinimized", "startStepTimer"}, true},
        {1, Answer::Yes,  // the overwrite save to the known name
         {"hideMarker", "readLoopControls", kAskSave, "readLoopControls", "updateTitle", "showMinimized",
          "startStepTimer"}, true},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.setFlags(c.modified, 1);
        rig.view.answer = c.answer;
        rig.view.calls.clear();
        rig.run.run();
        EXPECT_EQ(rig.view.calls, c.calls);
        EXPECT_EQ(rig.player.runState, c.runs ? RunState::Running : RunState::Idle);
        EXPECT_EQ(rig.player.resumable(), c.runs ? 0 : 1);
        EXPECT_EQ(rig.files.content(rig.path) != nullptr, c.answer == Answer::Yes && c.modified == 1);
    }
}

TEST(RunCommands, TheRunSeesTheLoopBoxesAsRead) {
    struct Case { int32_t loop, max, count; uint32_t passes; const char* message; };
    for (const Case c : {Case{1, 1, 3, 3, "終了(ループ完了回数 3)"},
                         Case{0, 1, 5, 1, "終了"}}) {  // loop off with max still checked: one pass
        Rig rig;
        rig.loops(c.loop, c.max, c.count);
        rig.run.run();
        rig.runTimer();
        EXPECT_EQ(rig.player.loopsDone, c.passes) << c.count;
        EXPECT_EQ(rig.view.messages, std::vector<std::string>{c.message}) << c.count;
        EXPECT_EQ(rig.player.runState, RunState::Idle);
    }
}

TEST(RunCommands, ProgressAfterEveryRecordAndTheEndSequence) {
    Rig rig;
    rig.loops(1, 1, 2);
    rig.run.run();
    rig.view.calls.clear();
    rig.runTimer();
    EXPECT_EQ(rig.view.calls, (Calls{"updateTitleProgress 0", "updateTitleProgress 1", "updateTitleProgress 1",
                                     "updateTitle", "killStepTimer", "showNormal",
                                     "inform 終了(ループ完了回数 2)"}));
}

TEST(RunCommands, EndlessRunStoppedInTheFifthPass) {
    Rig rig;
    rig.loops(1, 0, 1);
    rig.run.run();
    rig.runTimerUntil([&] { return rig.player.loopsDone == 4 && rig.player.currentIndex == 1; });
    rig.stopWith(kVkEscape, 1);
    EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"中断(ループ完了回数 4)"}));
    EXPECT_EQ(rig.player.resumable(), 1);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, StopKeyWithoutLoopSaysAborted) {
    Rig rig;
    rig.run.run();
    rig.stopWith(kVkF2);
    EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"中断"}));
    EXPECT_EQ(rig.player.resumable(), 1);
}

TEST(RunCommands, ResizeDuringARunStopsItWithoutResume) {
    Rig rig;
    rig.run.run();
    rig.runTimer(10, 5);
    rig.run.onResized();
    EXPECT_EQ(rig.player.runState, RunState::StopRequested);
    rig.runTimer();
    EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"中断"}));
    EXPECT_EQ(rig.player.resumable(), 0);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, ResizeDoesNotStopAResumedRun) {
    Rig rig;
    rig.run.run();
    rig.stopWith(kVkEscape);
    ASSERT_EQ(rig.player.resumable(), 1);
    rig.run.resumeButton();
    rig.run.onResized();
    EXPECT_EQ(rig.player.runState, RunState::Idle);
    rig.runTimer();
    EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"中断", "終了"}));
}

TEST(RunCommands, EndOfListEndsWithoutAMessage) {
    Rig rig(1);
    ActionRecord skip = record(ActionType::Condition, 0, 0);
    skip.conditionColor = 0x123456;  // absent: jump at once
    skip.falseJump = 7;
    rig.player.actions().append(skip);
    rig.loops(1, 0, 1);
    rig.run.run();
    rig.view.calls.clear();
    rig.runTimer();
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.view.calls, (Calls{"updateTitleProgress 0", "updateTitle", "killStepTimer", "showNormal"}));
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, AutoRunClosesSilentlyAtTheEnd) {
    for (const bool stopped : {false, true}) {
        Rig rig;
        rig.run.autoRunMode = 1;
        rig.loops(1, 1, 2);
        rig.run.run();
        if (stopped) rig.fake.keys.press(kVkEscape, rig.fake.clock.now() + 50);
        rig.view.calls.clear();
        rig.runTimer();
        EXPECT_EQ(rig.view.calls, (Calls{"killStepTimer", "closeAsOk"}));
        EXPECT_EQ(rig.player.runState, RunState::Idle);
    }
}

TEST(RunCommands, RandomRunSetsRandomModeAndPlainCommandsLeaveIt) {
    Rig rig;
    rig.run.runRandom();
    EXPECT_EQ(rig.player.randomMode, 1);
    EXPECT_EQ(rig.player.runState, RunState::Running);
    rig.runTimer();
    rig.run.run();
    EXPECT_EQ(rig.player.randomMode, 1);
}

TEST(RunCommands, ResumeButtonResumesOnlyWhenResumable) {
    for (const int32_t resumable : {0, 1}) {
        Rig rig;
        rig.setFlags(0, resumable);
        rig.fake.log.clear();
        rig.player.currentIndex = 1;
        rig.player.loopsDone = 2;
        rig.run.resumeButton();
        EXPECT_EQ(rig.player.currentIndex, resumable ? 1 : 0);
        EXPECT_EQ(rig.player.loopsDone, resumable ? 2u : 0u);
        EXPECT_EQ(rig.player.resumable(), 0);
        EXPECT_TRUE(rig.view.stepTimerOn);
    }
}

TEST(RunCommands, ResumeMenusSayWhenThereIsNothingToResume) {
    for (const bool random : {false, true}) {
        Rig rig;
        random ? rig.run.resumeRandom() : rig.run.resume();
        EXPECT_EQ(rig.view.calls, (Calls{"inform 「再開」処理は実行できません"}));
        EXPECT_EQ(rig.player.randomMode, 0);
        EXPECT_FALSE(rig.view.stepTimerOn);
    }
}

TEST(RunCommands, ResumeMenusContinueTheStoppedRun) {
    for (const bool random : {false, true}) {
        Rig rig;
        rig.run.run();
        rig.runTimerUntil([&] { return rig.player.currentIndex == 1; });
        rig.stopWith(kVkEscape, 1);
        ASSERT_EQ(rig.player.resumable(), 1);
        random ? rig.run.resumeRandom() : rig.run.resume();
        EXPECT_EQ(rig.player.currentIndex, 1);
        EXPECT_EQ(rig.player.randomMode, random ? 1 : 0);
        rig.runTimer();
        EXPECT_EQ(rig.view.messages, (std::vector<std::string>{"中断", "終了"}));
        size_t downs = 0;
        for (const auto& e : rig.fake.log.texts({fake::EventKind::MouseButton})) downs += e == "mouse LeftDown";
        EXPECT_EQ(downs, 2u);
    }
}

TEST(RunCommands, LoopBoxesEndResumeATypedCountOnlyMarksModified) {
    // What was done after a stopped run: the flags (modified, resumable) it leaves.
    struct Case { const char* label; void (*act)(RunCommands&); int32_t modified, resumable; };
    const Case cases[] = {
        {"box clicked", [](RunCommands& r) { r.loopBoxClicked(); }, 1, 0},
        {"another count", [](RunCommands& r) { r.loopCountTyped(8); }, 1, 1},
        {"the same count", [](RunCommands& r) { r.loopCountTyped(1); }, 0, 1},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.setFlags(0, 1);
        rig.player.macro.loopCount = 1;
        c.act(rig.run);
        EXPECT_EQ(std::pair(rig.player.modified(), rig.player.resumable()), std::pair(c.modified, c.resumable))
            << c.label;
    }
}

TEST(RunCommands, CloseIsRefusedOnlyWhenBothStopKeysReport) {
    struct Case {
        bool esc, f2, allowed;
        int f2Queries;
    };
    for (const Case c : {Case{false, false, true, 0}, Case{true, false, true, 1}, Case{false, true, true, 0},
                         Case{true, true, false, 1}}) {
        fake::FakePlatform fake;
        if (c.esc) fake.keys.press(kVkEscape, fake.clock.now());
        if (c.f2) fake.keys.press(kVkF2, fake.clock.now());
        EXPECT_EQ(closeAllowed(fake.keys), c.allowed) << c.esc << c.f2;
        EXPECT_EQ(fake.keys.queries(kVkEscape), 1);
        EXPECT_EQ(fake.keys.queries(kVkF2), c.f2Queries);
    }
}

TEST(RunCommands, EndMessages) {
    struct Case {
        StepResult result;
        int32_t loopEnabled;
        uint32_t loopsDone;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{{StepResult::Finished, 1, 3, "終了(ループ完了回数 3)"},
                                           {StepResult::Finished, 0, 1, "終了"},
                                           {StepResult::Finished, 2, 1, "終了"},
                                           {StepResult::Aborted, 1, 4, "中断(ループ完了回数 4)"},
                                           {StepResult::Aborted, 0, 0, "中断"},
                                           {StepResult::EndOfList, 1, 2, ""},
                                           {StepResult::EndOfList, 0, 0, ""}}) {
        EXPECT_EQ(runEndMessage(c.result, c.loopEnabled, c.loopsDone), c.text);
    }
}

}  // namespace
}  // namespace tappling
