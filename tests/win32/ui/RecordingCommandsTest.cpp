// The auto record command on the real main window: its questions and messages, the
// minimized window polled by timer 2, and the two ways a recording ends.
#include <gtest/gtest.h>

#include <functional>

#include "recorder/RecordingControl.h"
#include "resources/resource.h"
#include "ui/UiFakes.h"
#include "ui/main/MainDialog.h"

namespace tappling {
namespace {

bool pumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
    return true;
}

class RecordingCommandsTest : public ::testing::Test {
protected:
    RecordingCommandsTest() : window(GetModuleHandleW(nullptr), fakes.platform, {&prompter, nullptr, &dialogs}) {
        window.createModeless();
        pumpUntil([] { return false; }, 50);
    }
    ~RecordingCommandsTest() override {
        fakes.keys.escDown = false;
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pumpUntil([] { return false; }, 50);
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool ended() {
        return pumpUntil([&] { return !prompter.messages.empty() && prompter.messages.back() == kRecordingEnded; });
    }

    TestPlatform fakes;
    TestPrompter prompter;
    TestFileDialogs dialogs;
    MainDialog window;
};

TEST_F(RecordingCommandsTest, ButtonMinimizesAndPollsUntilEscThenRestores) {
    command(IDC_AUTO_RECORD);
    EXPECT_TRUE(prompter.questions.empty());  // nothing to append to
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], kRecordingHint);
    EXPECT_TRUE(IsIconic(window.hwnd()));
    EXPECT_EQ(window.player().runState, RunState::Running);
    EXPECT_EQ(window.player().modified, 1);
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(prompter.messages.size(), 1u);  // polling, nothing pressed

    fakes.keys.escDown = true;
    ASSERT_TRUE(ended());
    fakes.keys.escDown = false;
    EXPECT_EQ(window.player().runState, RunState::Idle);
    EXPECT_FALSE(IsIconic(window.hwnd()));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(prompter.messages.size(), 2u);  // the timer is gone
}

TEST_F(RecordingCommandsTest, RestoringTheWindowByHandEndsTheRecording) {
    command(ID_EDIT_AUTO_RECORD);
    ASSERT_TRUE(IsIconic(window.hwnd()));
    ShowWindow(window.hwnd(), SW_RESTORE);
    ASSERT_TRUE(ended());
    EXPECT_EQ(window.player().runState, RunState::Idle);
}

TEST_F(RecordingCommandsTest, NonEmptyListAsksAndFollowsTheAnswer) {
    window.player().actions().append(makeDefaultRecord());
    window.refreshList();
    prompter.answer = Answer::Cancel;
    command(IDC_AUTO_RECORD);
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], kAppendQuestion);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(IsIconic(window.hwnd()));
    EXPECT_EQ(window.player().actions().size(), 1);

    prompter.answer = Answer::No;  // a new macro; the changes are dropped (No to saving)
    window.player().modified = 1;
    command(ID_EDIT_AUTO_RECORD);
    ASSERT_EQ(prompter.questions.size(), 3u);
    EXPECT_EQ(prompter.questions[1], kAppendQuestion);
    EXPECT_EQ(prompter.questions[2], kSaveQuestion);
    EXPECT_EQ(window.player().actions().size(), 0);
    EXPECT_EQ(window.player().runState, RunState::Running);
    fakes.keys.escDown = true;
    ASSERT_TRUE(ended());
}

}  // namespace
}  // namespace tappling
