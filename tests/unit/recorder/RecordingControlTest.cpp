// The auto record command and its timer handler against a scripted window (the fixture).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakePlatform.h"
#include "recorder/RecordingControl.h"

namespace tappling {
namespace {

// The main window as the command sees it, every call logged.
class RecordingControlTest : public ::testing::Test, public RecordingHost {
protected:
    Answer ask(std::string_view utf8) override { return calls.push_back("ask " + std::string(utf8)), answer; }
    void inform(std::string_view utf8) override { calls.push_back("inform " + std::string(utf8)); }
    int32_t newMacro() override {
        calls.emplace_back("newMacro");
        if (newMacroResult == 1) player.actions().clear();
        return newMacroResult;
    }
    void minimize() override { calls.emplace_back("minimize"); }
    void restore() override { calls.emplace_back("restore"); }
    void startRecorderTimer() override { calls.emplace_back("start timer"); }
    void killRecorderTimer() override { calls.emplace_back("kill timer"); }
    void refreshList() override { calls.emplace_back("refresh"); }

    std::vector<std::string> calls;
    Answer answer = Answer::Yes;
    int32_t newMacroResult = 1;
    fake::FakePlatform fakes;
    Cp932CodePage codePage;
    MacroPlayer player{fakes.platform};
    RecordingControl control{player, *this, codePage};
};

TEST_F(RecordingControlTest, BeginAsksOnlyForANonEmptyListAndFollowsTheAnswer) {
    const std::string hint = "inform " + std::string(kRecordingHint), ask = "ask " + std::string(kAppendQuestion);
    const struct {
        const char* name;
        int listSize;
        Answer answer;
        int32_t newMacroResult;
        std::vector<std::string> calls;  // "start" stands for the three calls that start the recording
        int listAfter;
    } rows[] = {
        {"empty list", 0, Answer::Cancel, 1, {"start"}, 0},
        {"yes appends", 2, Answer::Yes, 1, {ask, "start"}, 2},
        {"no starts a new macro", 2, Answer::No, 1, {ask, "newMacro", "start"}, 0},
        {"no, new macro cancelled", 2, Answer::No, 0, {ask, "newMacro"}, 2},
        {"cancel", 2, Answer::Cancel, 1, {ask}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        player.actions().clear();
        for (int i = 0; i < row.listSize; ++i) player.actions().append(makeDefaultRecord());
        player.modified = 0;
        player.resumable = 1;
        player.runState = RunState::Idle;
        calls.clear();
        answer = row.answer;
        newMacroResult = row.newMacroResult;
        control.beginRecording();
        std::vector<std::string> expected = row.calls;
        const bool started = expected.back() == "start";
        if (started) expected.back() = hint, expected.insert(expected.end(), {"minimize", "start timer"});
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(player.runState, started ? RunState::Running : RunState::Idle);
        EXPECT_EQ(player.modified, started ? 1 : 0);
        EXPECT_EQ(player.resumable, started ? 0 : 1);
        EXPECT_EQ(player.actions().size(), row.listAfter);
    }
}

TEST_F(RecordingControlTest, TimerPollsUntilAStopKeyThenReportsAndRestores) {
    control.beginRecording();
    fakes.keys.press(kVkReturn, 3000, 10);
    fakes.keys.press(kVkEscape, 4000, 10);
    calls.clear();
    for (uint32_t t = 2000; t < 3990; t += 10) fakes.clock.set(t), control.onRecorderTimer();
    EXPECT_TRUE(calls.empty());
    player.recorderBusy = 1;  // a tick arriving inside a poll does nothing
    fakes.clock.set(4000);
    control.onRecorderTimer();
    EXPECT_TRUE(calls.empty());
    player.recorderBusy = 0;
    control.onRecorderTimer();
    EXPECT_EQ(calls,
              (std::vector<std::string>{"kill timer", "inform " + std::string(kRecordingEnded), "refresh", "restore"}));
    EXPECT_EQ(player.runState, RunState::Idle);
    ASSERT_EQ(player.actions().size(), 1);
    EXPECT_EQ(player.actions().at(0).actionType, ActionType::EnterKey);
}

}  // namespace
}  // namespace tappling
