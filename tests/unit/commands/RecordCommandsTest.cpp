// The auto record command and its timer handler against a scripted window (the fixture).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/CommandRig.h"

namespace tappling {
namespace {

// The "No" answer runs the real "新規作成", whose own question is scripted by the list's flag.
class RecordCommandsTest : public ::testing::Test, protected testing::CommandRig {};

TEST_F(RecordCommandsTest, BeginAsksOnlyForANonEmptyListAndFollowsTheAnswer) {
    const std::string hint = "inform " + std::string(kRecordingHint), ask = "ask " + std::string(kAppendQuestion);
    const struct {
        const char* name;
        int listSize;
        Answer answer;
        int32_t modified;                // "新規作成" asks to save only a modified list (and is cancelled)
        std::vector<std::string> calls;  // "start" stands for the three calls that start the recording
        int listAfter;
    } rows[] = {
        {"empty list", 0, Answer::Cancel, 0, {"start"}, 0},
        {"yes appends", 2, Answer::Yes, 0, {ask, "start"}, 2},
        {"no starts a new macro", 2, Answer::No, 0, {ask, "newMacro", "start"}, 0},
        {"no, new macro cancelled", 2, Answer::No, 1, {ask, "ask " + std::string(kSaveQuestion)}, 2},
        {"cancel", 2, Answer::Cancel, 0, {ask}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        player.actions().clear();
        for (int i = 0; i < row.listSize; ++i) player.actions().append(makeDefaultRecord());
        setFlags(row.modified, 1);
        view.calls.clear();
        view.questions.clear();
        view.answers = {row.answer, Answer::Cancel};  // the append question, then the save question
        record.record();
        std::vector<std::string> expected;
        for (const std::string& call : row.calls) {  // the calls of the list's "新規作成"
            if (call == "newMacro") expected.insert(expected.end(), {"refresh", "hideMarker", "updateTitle"});
            else expected.push_back(call);
        }
        const bool started = expected.back() == "start";
        if (started)
            expected.back() = hint, expected.insert(expected.end(), {"hideMarker", "unwatch", "minimize", "startRecorderTimer"});
        EXPECT_EQ(view.calls, expected);
        EXPECT_EQ(player.runState, started ? RunState::Running : RunState::Idle);
        EXPECT_EQ(player.modified(), started ? 1 : row.modified);
        EXPECT_EQ(player.resumable(), started ? 0 : 1);
        EXPECT_EQ(player.actions().size(), row.listAfter);
    }
}

TEST_F(RecordCommandsTest, TimerPollsUntilAStopKeyThenReportsAndRestores) {
    record.record();
    fake.keys.press(kVkReturn, 3000, 10);
    fake.keys.press(kVkEscape, 4000, 10);
    view.calls.clear();
    for (uint32_t t = 2000; t < 3990; t += 10) fake.clock.set(t), record.onRecorderTimer();
    EXPECT_TRUE(view.calls.empty());
    player.recorderBusy = 1;  // a tick arriving inside a poll does nothing
    fake.clock.set(4000);
    record.onRecorderTimer();
    EXPECT_TRUE(view.calls.empty());
    player.recorderBusy = 0;
    record.onRecorderTimer();
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"killRecorderTimer", "inform " + std::string(kRecordingEnded), "refresh", "restore"}));
    EXPECT_EQ(player.runState, RunState::Idle);
    ASSERT_EQ(player.actions().size(), 1);
    EXPECT_EQ(player.actions().at(0).actionType, ActionType::EnterKey);
}

TEST_F(RecordCommandsTest, CloseStopsARunningRecordingAsEscDoesWithoutItsMessage) {
    for (bool recording : {false, true}) {
        SCOPED_TRACE(recording);
        player.actions().clear();
        player.runState = RunState::Idle;
        if (recording) record.record();
        view.calls.clear();
        record.stopBeforeClose();
        EXPECT_EQ(view.calls, recording ? (std::vector<std::string>{"killRecorderTimer", "refresh", "restore"})
                                        : std::vector<std::string>{});
        EXPECT_EQ(player.runState, RunState::Idle);
        view.calls.clear();
        record.stopBeforeClose();  // once only
        EXPECT_TRUE(view.calls.empty());
    }
    record.record();
    fake.keys.press(kVkEscape, 3000, 10);
    fake.clock.set(3000);
    record.onRecorderTimer();  // ended by ESC: nothing left for the close to stop
    view.calls.clear();
    record.stopBeforeClose();
    EXPECT_TRUE(view.calls.empty());
}

}  // namespace
}  // namespace tappling
