// The tpm commands on an in-memory file system: check findings and exit codes, the
// listing, and the messages for files that cannot be read.
#include <gtest/gtest.h>

#include "textform/FakeTpmFiles.h"
#include "model/ActionType.h"
#include "model/MacroBytes.h"
#include "textform/TpmCommands.h"
#include "tpm/posix/IconvCodePage.h"

namespace tappling {
namespace {

using namespace testbytes;

class Tpm : public ::testing::Test {
protected:
    int tpm(std::vector<std::string> args) {
        output = {};
        return runTpm(args, files, codePage, output);
    }
    IconvCodePage codePage;
    FakeTpmFiles files;
    TpmOutput output;
};

struct CheckCase {
    const char* text;
    int status;
    const char* firstLine;  // the first line of the report, after "C:\work\c.txt:"
};

class CheckFindings : public Tpm, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckFindings, NamesActionAndFieldAndSetsTheExitStatus) {
    files.put("C:\\work\\c.txt", GetParam().text);
    EXPECT_EQ(tpm({"check", "C:\\work\\c.txt"}), GetParam().status);
    const std::string report = output.out + output.err;
    EXPECT_EQ(report.substr(0, report.find('\n')), std::string("C:\\work\\c.txt:") + GetParam().firstLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckFindings,
    ::testing::Values(
        CheckCase{"macro\nLeftClick\nCondition trueJump=1 falseJump=3\n", 0, " no findings"},
        CheckCase{"LeftClick\nCondition trueJump=4\n", 2,
                  "2: action 2, trueJump: error: jump target 4 is outside the list (1..2, or 3 for the end); the run "
                  "ends there"},
        CheckCase{"Condition falseJump=0\n", 2,
                  "1: action 1, falseJump: error: jump target 0 is outside the list (1..1, or 2 for the end); the run "
                  "ends there"},
        CheckCase{"Skip trueJump=-1\n", 2, "1: action 1, trueJump: error: jump target -1 is outside the list (1..1, "
                                           "or 2 for the end); the run ends there"},
        CheckCase{"LeftClick offsetEnabled offsetRef=3\n", 1,
                  "1: action 1, offsetRef: warning: offset reference 3 is outside the list (1..1); no offset is "
                  "applied"},
        CheckCase{"LeftClick offsetRef=3\n", 0, " no findings"},
        CheckCase{"Condition preWaitMs=0\n", 1,
                  "1: action 1, falseJump: warning: the condition repeats itself with no wait while the colour is not "
                  "found (busy loop)"},
        CheckCase{"Condition preWaitMs=0 postWaitMs=0 trueJump=1 falseJump=2\n", 1,
                  "1: action 1, trueJump: warning: the condition repeats itself with no wait while the colour is "
                  "found (busy loop)"},
        CheckCase{"Skip trueJump=1\n", 1, "1: action 1, trueJump: warning: the skip jumps to itself: the run never "
                                          "gets past it"},
        CheckCase{"26\n", 2, "1: action 1, actionType: error: type code 26 is not an action type (0..25); the action "
                             "only moves the pointer"},
        CheckCase{"Shutdown\n", 1, "1: action 1, actionType: warning: the action shuts the computer down"},
        CheckCase{"ExecuteFile\n", 2, "1: action 1, filePath: error: the file run has no file"},
        CheckCase{"KeyboardInput inputText=\"\\x81\"\n", 2,
                  "1: action 1, inputText: error: the text holds bytes that are no character of the code page"},
        CheckCase{"KeyboardInput inputText=\"😀\"\n", 2,
                  "1:26: error: action 1, inputText: the code page cannot hold \"😀\""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(Tpm, CheckReadsMacroFilesAndCountsFindings) {
    RecordValues shutdown, jump;
    shutdown.type = code(ActionType::Shutdown);
    shutdown.offsetEnabled = 0;
    jump.type = code(ActionType::Condition);
    jump.trueJump = 5;
    jump.falseJump = -1;
    files.put("C:\\work\\m.TPM", header(1202, 0, 0, 1, 2) + record(shutdown, 21) + record(jump, 21));
    EXPECT_EQ(tpm({"check", "C:\\work\\m.TPM"}), 2);
    EXPECT_EQ(output.out,
              "C:\\work\\m.TPM: action 1, actionType: warning: the action shuts the computer down\n"
              "C:\\work\\m.TPM: action 2, trueJump: error: jump target 7 is outside the list (1..2, or 3 for the "
              "end); the run ends there\n"
              "C:\\work\\m.TPM: 1 error, 1 warning\n");
}

TEST_F(Tpm, ShowListsTheNineColumnsAligned) {
    RecordValues typed, click;
    typed.type = code(ActionType::KeyboardInput);
    typed.comment = "\x83\x81\x83\x82";  // メモ
    click.type = code(ActionType::LeftClick);
    click.firstOnly = 1;
    click.comment = "";
    files.put("C:\\work\\m.TPM", header(1101, 1, 0, 4, 2) + record(typed, 13) + record(click, 13));
    ASSERT_EQ(tpm({"show", "C:\\work\\m.TPM"}), 0) << output.err;
    EXPECT_EQ(output.out,
              "version 1101  ループ on  MAX off  4\n"
              "No  Memo  x   y   BW  Act             AW  Loop  ST\n"
              "1   メモ  -   -   44  キーボード入力  55  66    ○\n"
              "2         11  22  44  左クリック      55  66    ○\n");
}

TEST_F(Tpm, UnreadableInputsSayWhereAndWhy) {
    const std::string full = header(1202, 0, 0, 1, 2) + record({}, 21) + record({}, 21);
    const struct {
        std::string bytes;
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {full.substr(0, full.size() - 3), {"text", "C:\\work\\m.TPM"},
         "C:\\work\\m.TPM: byte " + std::to_string(full.size() - 4) + ": the file ends early, in record 2 of 2 (" +
             std::to_string(full.size() - 3) + " bytes in all)\n"},
        {full.substr(0, 20), {"show", "C:\\work\\m.TPM"},
         "C:\\work\\m.TPM: byte 20: the file ends early, in its header (20 bytes in all)\n"},
        {header(1300, 0, 0, 1, 0), {"text", "C:\\work\\m.TPM"},
         "C:\\work\\m.TPM: version 1300 is not supported (1000, 1100, 1101, 1200, 1201, 1202)\n"},
        {"macro\n", {"show", "C:\\work\\m.TPM"},
         "C:\\work\\m.TPM: not a macro file (it does not start with \"MouseAction\")\n"},
        {full, {"build", "C:\\work\\m.TPM", "-o", "C:\\work\\x.TPM"},
         "C:\\work\\m.TPM: this is a macro file already; build reads the text form (see tpm text)\n"},
        {"LeftClick x=\n", {"build", "C:\\work\\m.TPM"}, "C:\\work\\m.TPM: name the macro file to write with -o\n"},
        {"", {"text", "C:\\work\\none.TPM"}, "C:\\work\\none.TPM: cannot open: cannot open C:\\work\\none.TPM\n"},
        {"", {"convert", "C:\\work\\m.TPM"}, ""},
    };
    for (const auto& c : cases) {
        files.put("C:\\work\\m.TPM", c.bytes);
        EXPECT_EQ(tpm(c.args), 2) << c.err;
        if (!c.err.empty())
            EXPECT_EQ(output.err, c.err);
        else
            EXPECT_NE(output.err.find("usage: tpm"), std::string::npos);
        EXPECT_EQ(files.content("C:\\work\\x.TPM"), nullptr);
    }
}

TEST_F(Tpm, CodePagePathsAreShownInUtf8) {
    EXPECT_EQ(runTpm({"show", "C:\\\x95\x5C.TPM"}, files, codePage, output, TpmSettings{PathBytes::CodePage}), 2);
    EXPECT_EQ(output.err.substr(0, output.err.find(": cannot open")), "C:\\表.TPM");
}

TEST_F(Tpm, BuildWritesBesideTheTextAndNeverOnAnError) {
    files.put("C:\\work\\m.TPM.txt", "macro\nWaitOnly preWaitMs=0\n");
    ASSERT_EQ(tpm({"build", "C:\\work\\m.TPM.txt"}), 0) << output.err;
    ASSERT_NE(files.content("C:\\work\\m.TPM"), nullptr);
    EXPECT_EQ(files.content("C:\\work\\m.TPM")->size(), 32u + 75u);
    files.put("C:\\work\\bad.txt", "macro\nWaitOnly preWaitMs=x\nLeftClick y=\"1\"\n");
    EXPECT_EQ(tpm({"build", "C:\\work\\bad.txt"}), 2);
    EXPECT_EQ(output.err,
              "C:\\work\\bad.txt:2:20: error: \"x\" is not a number\n"
              "C:\\work\\bad.txt:3:13: error: field \"y\" needs a number\n");
    EXPECT_EQ(files.content("C:\\work\\bad.TPM"), nullptr);
    files.disk.failWrites = true;
    EXPECT_EQ(tpm({"build", "C:\\work\\m.TPM.txt", "-o", "C:\\work\\n.TPM"}), 2);
    EXPECT_EQ(output.err, "C:\\work\\n.TPM: cannot write: disk full\n");
}

}  // namespace
}  // namespace tappling
