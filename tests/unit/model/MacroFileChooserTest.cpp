#include <gtest/gtest.h>

#include <vector>

#include "fakes/ScriptedPrompts.h"
#include "model/MacroFileChooser.h"

namespace tappling {
namespace {

struct ChooseCase {
    const char* chosen;
    int result;
    const char* path;  // the path afterwards
};

class ChooseMacroFile : public ::testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseMacroFile, ExtensionRule) {
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    dialogs.answer = GetParam().chosen;
    std::string path = "C:\\old.TPM";
    EXPECT_EQ(chooseMacroFile(dialogs, prompter, ChooseMode::Open, path), GetParam().result);
    EXPECT_EQ(path, GetParam().path);
    if (GetParam().result == 1)
        EXPECT_TRUE(prompter.messages.empty());
    else
        EXPECT_EQ(prompter.messages, std::vector<std::string>{"TPMﾌｧｲﾙではありません。"});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ChooseMacroFile,
    ::testing::Values(ChooseCase{"C:\\d\\a.TPM", 1, "C:\\d\\a.TPM"}, ChooseCase{"C:\\d\\a.tpm", 1, "C:\\d\\a.TPM"},
                      ChooseCase{"C:\\d\\a.tPm", 1, "C:\\d\\a.TPM"}, ChooseCase{"C:\\d.x\\b.b.tpm", 1, "C:\\d.x\\b.b.TPM"},
                      ChooseCase{"C:\\d\\\x95\x5C.tpm", 1, "C:\\d\\\x95\x5C.TPM"},
                      ChooseCase{"C:\\d\\a.txt", 0, "C:\\old.TPM"}, ChooseCase{"C:\\d\\a.tpm2", 0, "C:\\old.TPM"},
                      ChooseCase{"C:\\d\\aTPM", 0, "C:\\old.TPM"}, ChooseCase{"C:\\d.tpm\\a", 0, "C:\\old.TPM"},
                      ChooseCase{"C:\\d\\a", 0, "C:\\old.TPM"}));

TEST(ChooseMacroFileCodePage, ANameTheCodePageCannotHoldIsRefusedAndChangesNothing) {
    for (ChooseMode mode : {ChooseMode::Save, ChooseMode::Open}) {
        ScriptedDialogs dialogs;
        ScriptedPrompter prompter;
        dialogs.answer = "C:\\d\\caf?.TPM";  // "café.TPM" as the code page would have it
        dialogs.answerFits = false;
        std::string path = "C:\\cur.TPM";
        EXPECT_EQ(chooseMacroFile(dialogs, prompter, mode, path), 0);
        EXPECT_EQ(path, "C:\\cur.TPM");
        EXPECT_EQ(prompter.messages, std::vector<std::string>{"このファイル名には使えない文字が含まれています。"});
    }
}

TEST(ChooseMacroFileCancel, ReturnsZeroSilentlyAndPassesModeAndInitialName) {
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    std::string path = "C:\\cur.TPM";
    EXPECT_EQ(chooseMacroFile(dialogs, prompter, ChooseMode::Save, path), 0);
    EXPECT_EQ(path, "C:\\cur.TPM");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(dialogs.modes, std::vector<ChooseMode>{ChooseMode::Save});
    EXPECT_EQ(dialogs.initialNames, std::vector<std::string>{"C:\\cur.TPM"});
}

}  // namespace
}  // namespace tappling
