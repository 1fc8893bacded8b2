// The auto record command wired into the real main window (its rules are tested natively):
// the minimized window polled by timer 2, the question wired to newMacro, and the two ways
// a recording ends.
#include <gtest/gtest.h>

#include "engine/TestWindow.h"
#include "commands/RecordCommands.h"
#include "resources/resource.h"
#include "ui/UiFakes.h"
#include "ui/main/MainDialog.h"

namespace tappling {
namespace {

using test::pumpFor;

class RecordingCommandsTest : public ::testing::Test {
protected:
    RecordingCommandsTest() : window(GetModuleHandleW(nullptr), fakes.platform, {&prompter, nullptr, &dialogs}) {
        window.createModeless();
        pumpFor(50);
    }
    ~RecordingCommandsTest() override {
        fakes.keys.escDown = false;
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pumpFor(50);
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool ended() {
        return test::pumpUntil(
            [&] { return !prompter.messages.empty() && prompter.messages.back() == kRecordingEnded; }, 10000);
    }

    TestPlatform fakes;
    TestPrompter prompter;
    TestFileDialogs dialogs;
    MainDialog window;
};

TEST_F(RecordingCommandsTest, ButtonMinimizesAndPollsUntilEscThenRestores) {
    command(IDC_AUTO_RECORD);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kRecordingHint)});
    EXPECT_TRUE(IsIconic(window.hwnd()));
    EXPECT_EQ(window.player().runState, RunState::Running);
    pumpFor(200);
    EXPECT_EQ(prompter.messages.size(), 1u);  // polling, nothing pressed

    fakes.keys.escDown = true;
    ASSERT_TRUE(ended());
    fakes.keys.escDown = false;
    EXPECT_EQ(window.player().runState, RunState::Idle);
    EXPECT_FALSE(IsIconic(window.hwnd()));
    pumpFor(100);
    EXPECT_EQ(prompter.messages.size(), 2u);  // the timer is gone
}

TEST_F(RecordingCommandsTest, MenuAsksThenGoesThroughNewMacroAndRestoringByHandEnds) {
    window.player().actions().append(makeDefaultRecord());
    window.refreshList();
    MacroPlayerTestAccess::setModified(window.player(), 1);
    prompter.answer = Answer::No;  // a new macro; the changes are dropped (No to saving)
    command(ID_EDIT_AUTO_RECORD);
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{std::string(kAppendQuestion), std::string(kSaveQuestion)}));
    EXPECT_EQ(window.player().actions().size(), 0);
    ASSERT_TRUE(IsIconic(window.hwnd()));
    ShowWindow(window.hwnd(), SW_RESTORE);
    ASSERT_TRUE(ended());
    EXPECT_EQ(window.player().runState, RunState::Idle);
}

}  // namespace
}  // namespace tappling
