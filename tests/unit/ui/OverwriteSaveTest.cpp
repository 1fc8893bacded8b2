#include "ui/logic/OverwriteSave.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/FakeFileAccess.h"
#include "fakes/ScriptedPrompts.h"

namespace tappling {
namespace {

class CountingHost final : public SaveHost {
public:
    int loopReads = 0;
    int titleUpdates = 0;
    void readLoopControls() override { ++loopReads; }
    void updateTitle() override { ++titleUpdates; }
};

class OverwriteSaveTest : public ::testing::Test {
protected:
    OverwriteSaveTest() { macro.actions.append(ActionRecord{}); }
    SaveOutcome save() { return overwriteSave(macro, modified, path, host, services); }
    void TearDown() override {
        for (const ChooseMode mode : dialogs.modes) EXPECT_EQ(mode, ChooseMode::Save);
    }

    Macro macro;
    int32_t modified = 1;
    std::string path;
    FakeFileAccess files;
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    CountingHost host;
    SaveServices services{files, dialogs, prompter};
};

TEST_F(OverwriteSaveTest, EmptyListDoesNothing) {
    macro.actions.clear();
    path = "C:\\work\\a.TPM";
    EXPECT_EQ(save(), SaveOutcome::NothingToSave);
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(host.loopReads, 0);
    EXPECT_EQ(host.titleUpdates, 0);
    EXPECT_EQ(modified, 1);
}

TEST_F(OverwriteSaveTest, KnownPathWritesWithoutDialog) {
    path = "C:\\work\\a.TPM";
    EXPECT_EQ(save(), SaveOutcome::Saved);
    EXPECT_TRUE(dialogs.initialNames.empty());
    EXPECT_NE(files.content("C:\\work\\a.TPM"), nullptr);
    EXPECT_EQ(host.loopReads, 1);
    EXPECT_EQ(host.titleUpdates, 1);
    EXPECT_EQ(modified, 0);
}

TEST_F(OverwriteSaveTest, NoPathAsksAndCancelKeepsEverything) {
    EXPECT_EQ(save(), SaveOutcome::Cancelled);
    ASSERT_EQ(dialogs.initialNames.size(), 1u);
    EXPECT_EQ(dialogs.initialNames[0], "");
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(host.titleUpdates, 0);
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(path, "");
}

TEST_F(OverwriteSaveTest, NoPathChosenNameIsUsed) {
    dialogs.answer = "C:\\work\\new.tpm";
    EXPECT_EQ(save(), SaveOutcome::Saved);
    EXPECT_EQ(path, "C:\\work\\new.TPM");
    EXPECT_NE(files.content("C:\\work\\new.TPM"), nullptr);
    EXPECT_EQ(modified, 0);
}

TEST_F(OverwriteSaveTest, WrongExtensionWritesNothing) {
    dialogs.answer = "C:\\work\\notes.txt";
    EXPECT_EQ(save(), SaveOutcome::Cancelled);
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(modified, 1);
}

TEST_F(OverwriteSaveTest, FailedWriteIsReportedAndKeepsModified) {
    path = "C:\\work\\a.TPM";
    files.failWrites = true;
    EXPECT_EQ(save(), SaveOutcome::Failed);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_FALSE(prompter.messages[0].empty());
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(files.content("C:\\work\\a.TPM"), nullptr);
}

}  // namespace
}  // namespace tappling
