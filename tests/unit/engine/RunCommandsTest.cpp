#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/PlayerTestSupport.h"
#include "engine/RunCommands.h"
#include "resources/resource.h"

namespace tappling {
namespace {

using testing::record;
using Calls = std::vector<std::string>;

// The main window as the run commands see it: logs every call; its loop boxes are plain fields.
class FakeRunHost : public RunHost {
public:
    explicit FakeRunHost(MacroPlayer& player) : player_(player) {}
    void hideMarker() override { calls.push_back("hideMarker"); }
    void readLoopControls() override {
        calls.push_back("readLoopControls");
        player_.macro.loopEnabled = loopChecked;
        player_.macro.loopLimited = maxChecked;
        player_.macro.loopCount = loopCount;
    }
    Answer askSave() override {
        calls.push_back("askSave");
        return saveAnswer;
    }
    void saveMacro() override {
        calls.push_back("saveMacro");
        player_.modified = 0;
    }
    void showMinimized() override { calls.push_back("showMinimized"); }
    void showNormal() override { calls.push_back("showNormal"); }
    void startStepTimer() override {
        calls.push_back("startStepTimer");
        timerOn = true;
    }
    void killStepTimer() override {
        calls.push_back("killStepTimer");
        timerOn = false;
    }
    void updateTitle() override { calls.push_back("updateTitle"); }
    void updateTitleProgress(int32_t passes) override {
        calls.push_back("updateTitleProgress " + std::to_string(passes));
    }
    void inform(std::string_view utf8) override {
        calls.push_back("inform " + std::string(utf8));
        messages.emplace_back(utf8);
    }
    void closeAsOk() override {
        calls.push_back("closeAsOk");
        timerOn = false;
    }

    int32_t loopChecked = 0;
    int32_t maxChecked = 0;
    int32_t loopCount = 1;
    Answer saveAnswer = Answer::No;
    bool timerOn = false;
    Calls calls;
    std::vector<std::string> messages;

private:
    MacroPlayer& player_;
};

struct Rig {
    fake::FakePlatform fake;
    MacroPlayer player{fake.platform};
    FakeRunHost host{player};
    RunCommands commands{player, host};

    explicit Rig(int clicks = 2) {
        for (int i = 0; i < clicks; ++i) player.actions().append(record(ActionType::LeftClick, 100, 100, i, i));
    }
    // Timer 3 ticks every `spacing` ms while it runs.
    void runTimer(uint32_t spacing = 10, int maxTicks = 1'000'000) {
        for (int i = 0; i < maxTicks && host.timerOn; ++i) {
            fake.clock.advance(spacing);
            commands.onStepTimer();
        }
    }
    // The loop boxes as the user left them: "ループ", "最大" and the count.
    void loops(int32_t checked, int32_t maxChecked, int32_t count) {
        host.loopChecked = checked;
        host.maxChecked = maxChecked;
        host.loopCount = count;
    }
    // The user presses a stop key `afterMs` from now; the timer then runs to the end.
    void stopWith(uint8_t vk, uint32_t afterMs = 50) {
        fake.keys.press(vk, fake.clock.now() + afterMs);
        runTimer();
    }
    // Ticks until the predicate holds (the run still going).
    template <typename Pred>
    void runTimerUntil(Pred pred, uint32_t spacing = 10) {
        for (int i = 0; i < 1'000'000 && host.timerOn && !pred(); ++i) {
            fake.clock.advance(spacing);
            commands.onStepTimer();
        }
    }
};

TEST(RunCommands, EmptyListDoesNothing) {
    Rig rig(0);
    rig.player.modified = 1;
    EXPECT_TRUE(rig.commands.onCommand(IDC_RUN));
    EXPECT_TRUE(rig.host.calls.empty());
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
        {2, Answer::Cancel, {"hideMarker", "readLoopControls", "showMinimized", "startStepTimer"}, true},
        {1, Answer::Cancel, {"hideMarker", "readLoopControls", "askSave"}, false},
        {1, Answer::No, {"hideMarker", "readLoopControls", "askSave", "showMinimized", "startStepTimer"}, true},
        {1, Answer::Yes,
         {"hideMarker", "readLoopControls", "askSave", "saveMacro", "showMinimized", "startStepTimer"}, true},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.player.modified = c.modified;
        rig.host.saveAnswer = c.answer;
        rig.player.resumable = 1;
        rig.commands.startRun(0);
        EXPECT_EQ(rig.host.calls, c.calls);
        EXPECT_EQ(rig.player.runState, c.runs ? RunState::Running : RunState::Idle);
        EXPECT_EQ(rig.player.resumable, c.runs ? 0 : 1);
    }
}

TEST(RunCommands, TheRunSeesTheLoopBoxesAsRead) {
    struct Case { int32_t command, loop, max, count; uint32_t passes; const char* message; };
    for (const Case c : {Case{ID_EDIT_RUN, 1, 1, 3, 3, "終了(ループ完了回数 3)"},
                         Case{IDC_RUN, 0, 1, 5, 1, "終了"}}) {  // loop off with max still checked: one pass
        Rig rig;
        rig.loops(c.loop, c.max, c.count);
        rig.commands.onCommand(c.command);
        rig.runTimer();
        EXPECT_EQ(rig.player.loopsDone, c.passes) << c.command;
        EXPECT_EQ(rig.host.messages, std::vector<std::string>{c.message}) << c.command;
        EXPECT_EQ(rig.player.runState, RunState::Idle);
    }
}

TEST(RunCommands, ProgressAfterEveryRecordAndTheEndSequence) {
    Rig rig;
    rig.loops(1, 1, 2);
    rig.commands.onCommand(IDC_RUN);
    rig.host.calls.clear();
    rig.runTimer();
    EXPECT_EQ(rig.host.calls, (Calls{"updateTitleProgress 0", "updateTitleProgress 1", "updateTitleProgress 1",
                                     "updateTitle", "killStepTimer", "showNormal",
                                     "inform 終了(ループ完了回数 2)"}));
}

TEST(RunCommands, EndlessRunStoppedInTheFifthPass) {
    Rig rig;
    rig.loops(1, 0, 1);
    rig.commands.onCommand(IDC_RUN);
    rig.runTimerUntil([&] { return rig.player.loopsDone == 4 && rig.player.currentIndex == 1; });
    rig.stopWith(kVkEscape, 1);
    EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"中断(ループ完了回数 4)"}));
    EXPECT_EQ(rig.player.resumable, 1);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, StopKeyWithoutLoopSaysAborted) {
    Rig rig;
    rig.commands.onCommand(IDC_RUN);
    rig.stopWith(kVkF2);
    EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"中断"}));
    EXPECT_EQ(rig.player.resumable, 1);
}

TEST(RunCommands, ResizeDuringARunStopsItWithoutResume) {
    Rig rig;
    rig.commands.onCommand(IDC_RUN);
    rig.runTimer(10, 5);
    rig.commands.onResized();
    EXPECT_EQ(rig.player.runState, RunState::StopRequested);
    rig.runTimer();
    EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"中断"}));
    EXPECT_EQ(rig.player.resumable, 0);
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, ResizeDoesNotStopAResumedRun) {
    Rig rig;
    rig.commands.onCommand(IDC_RUN);
    rig.stopWith(kVkEscape);
    ASSERT_EQ(rig.player.resumable, 1);
    rig.commands.onCommand(IDC_RESUME);
    rig.commands.onResized();
    EXPECT_EQ(rig.player.runState, RunState::Idle);
    rig.runTimer();
    EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"中断", "終了"}));
}

TEST(RunCommands, EndOfListEndsWithoutAMessage) {
    Rig rig(1);
    ActionRecord skip = record(ActionType::Condition, 0, 0);
    skip.conditionColor = 0x123456;  // absent: jump at once
    skip.falseJump = 7;
    rig.player.actions().append(skip);
    rig.loops(1, 0, 1);
    rig.commands.onCommand(IDC_RUN);
    rig.host.calls.clear();
    rig.runTimer();
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.host.calls, (Calls{"updateTitleProgress 0", "updateTitle", "killStepTimer", "showNormal"}));
    EXPECT_EQ(rig.player.runState, RunState::Idle);
}

TEST(RunCommands, AutoRunClosesSilentlyAtTheEnd) {
    for (const bool stopped : {false, true}) {
        Rig rig;
        rig.commands.autoRunMode = 1;
        rig.loops(1, 1, 2);
        rig.commands.startRun(0);
        if (stopped) rig.fake.keys.press(kVkEscape, rig.fake.clock.now() + 50);
        rig.host.calls.clear();
        rig.runTimer();
        EXPECT_EQ(rig.host.calls, (Calls{"killStepTimer", "closeAsOk"}));
        EXPECT_EQ(rig.player.runState, RunState::Idle);
    }
}

TEST(RunCommands, RandomRunSetsRandomModeAndPlainCommandsLeaveIt) {
    Rig rig;
    rig.commands.onCommand(ID_EDIT_RUN_RANDOM);
    EXPECT_EQ(rig.player.randomMode, 1);
    EXPECT_EQ(rig.player.runState, RunState::Running);
    rig.runTimer();
    rig.commands.onCommand(IDC_RUN);
    EXPECT_EQ(rig.player.randomMode, 1);
}

TEST(RunCommands, ResumeButtonResumesOnlyWhenResumable) {
    for (const int32_t resumable : {0, 1}) {
        Rig rig;
        rig.player.resumable = resumable;
        rig.player.currentIndex = 1;
        rig.player.loopsDone = 2;
        rig.commands.onCommand(IDC_RESUME);
        EXPECT_EQ(rig.player.currentIndex, resumable ? 1 : 0);
        EXPECT_EQ(rig.player.loopsDone, resumable ? 2u : 0u);
        EXPECT_EQ(rig.player.resumable, 0);
        EXPECT_TRUE(rig.host.timerOn);
    }
}

TEST(RunCommands, ResumeMenusSayWhenThereIsNothingToResume) {
    for (const int32_t id : {ID_EDIT_RESUME, ID_EDIT_RESUME_RANDOM}) {
        Rig rig;
        EXPECT_TRUE(rig.commands.onCommand(id));
        EXPECT_EQ(rig.host.calls, (Calls{"inform 「再開」処理は実行できません"}));
        EXPECT_EQ(rig.player.randomMode, 0);
        EXPECT_FALSE(rig.host.timerOn);
    }
}

TEST(RunCommands, ResumeMenusContinueTheStoppedRun) {
    for (const int32_t id : {ID_EDIT_RESUME, ID_EDIT_RESUME_RANDOM}) {
        Rig rig;
        rig.commands.onCommand(IDC_RUN);
        rig.runTimerUntil([&] { return rig.player.currentIndex == 1; });
        rig.stopWith(kVkEscape, 1);
        ASSERT_EQ(rig.player.resumable, 1);
        rig.commands.onCommand(id);
        EXPECT_EQ(rig.player.currentIndex, 1);
        EXPECT_EQ(rig.player.randomMode, id == ID_EDIT_RESUME_RANDOM ? 1 : 0);
        rig.runTimer();
        EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"中断", "終了"}));
        size_t downs = 0;
        for (const auto& e : rig.fake.log.texts({fake::EventKind::MouseButton})) downs += e == "mouse LeftDown";
        EXPECT_EQ(downs, 2u);
    }
}

TEST(RunCommands, OtherCommandsAreNotTaken) {
    Rig rig;
    EXPECT_FALSE(rig.commands.onCommand(ID_FILE_OPEN));
    EXPECT_FALSE(rig.commands.onCommand(IDC_LOOP));
    EXPECT_TRUE(rig.host.calls.empty());
}

TEST(RunCommands, LoopBoxesMarkTheMacroModifiedAndEndResume) {
    Rig rig;
    rig.player.resumable = 1;
    rig.commands.onLoopControlsClicked();
    EXPECT_EQ(rig.player.modified, 1);
    EXPECT_EQ(rig.player.resumable, 0);
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
