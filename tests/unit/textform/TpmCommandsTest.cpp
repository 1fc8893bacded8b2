// The tpm commands on an in-memory file system: check findings and exit codes, the
// listing, and the messages for files that cannot be read.
#include <gtest/gtest.h>

#include "textform/FakeTpmFiles.h"
#include "model/ActionType.h"
#include "model/MacroBytes.h"
#include "textform/MacroCheck.h"
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
                  "2:11: error: action 2, trueJump: jump target 4 is outside the list (1..2, or 3 for the end); the "
                  "pass ends there"},
        CheckCase{"Condition falseJump=0\n", 2,
                  "1:11: error: action 1, falseJump: jump target 0 is outside the list (1..1, or 2 for the end); the "
                  "run ends there"},
        CheckCase{"Condition falseJump=5\n", 2,
                  "1:11: error: action 1, falseJump: jump target 5 is outside the list (1..1, or 2 for the end); the "
                  "run ends there"},
        CheckCase{"Skip trueJump=-1\n", 2, "1:6: error: action 1, trueJump: jump target -1 is outside the list (1..1, "
                                           "or 2 for the end); the run ends there"},
        CheckCase{"macro loopEnabled\nCondition falseJump=2 trueJump=2\n", 1,
                  "2:11: warning: action 1, falseJump: a false jump to the end ends the run, not only the pass: the loop "
                  "stops here"},
        CheckCase{"macro\nCondition falseJump=2 trueJump=2\n", 0, " no findings"},
        CheckCase{"LeftClick offsetEnabled offsetRef=3\n", 1,
                  "1:25: warning: action 1, offsetRef: offset reference 3 is outside the list (1..1); no offset is "
                  "applied"},
        CheckCase{"LeftClick offsetRef=3\n", 0, " no findings"},
        CheckCase{"Condition preWaitMs=0\n", 1,
                  "1: warning: action 1, falseJump: the condition repeats itself with no wait while the colour is not "
                  "found (busy loop)"},
        CheckCase{"Condition preWaitMs=0 postWaitMs=0 trueJump=1 falseJump=2\n", 1,
                  "1:36: warning: action 1, trueJump: the condition repeats itself with no wait while the colour is "
                  "found (busy loop)"},
        CheckCase{"Skip trueJump=1\n", 1, "1:6: warning: action 1, trueJump: the skip jumps to itself: the run never "
                                          "gets past it"},
        // Loops of several actions with no wait, closed by a skip or a failed test.
        CheckCase{"@a Skip preWaitMs=0 postWaitMs=0 trueJump=@b\n@b Skip preWaitMs=0 postWaitMs=0 trueJump=@a\n", 1,
                  "2:34: warning: action 2, trueJump: the jump back to action 1 closes a loop of 2 actions (1..2) "
                  "that can repeat with no wait (busy loop)"},
        CheckCase{"WaitOnly\nMoveOnly preWaitMs=0 postWaitMs=0\nCondition preWaitMs=0 postWaitMs=9 falseJump=2 "
                  "trueJump=4\n",
                  1,
                  "3:36: warning: action 3, falseJump: the jump back to action 2 closes a loop of 2 actions (2..3) "
                  "that can repeat with no wait (busy loop)"},
        CheckCase{"MoveOnly preWaitMs=0\nSkip preWaitMs=0 postWaitMs=0 trueJump=1\n", 0, " no findings"},
        CheckCase{"MoveOnly preWaitMs=0 postWaitMs=0\nCondition preWaitMs=0 postWaitMs=0 trueJump=1 falseJump=3 "
                  "invertCondition=2\n",
                  0, " no findings"},
        CheckCase{"26\n", 2, "1: error: action 1, actionType: type code 26 is not an action type (0..25); the action "
                             "only moves the pointer"},
        CheckCase{"Shutdown\n", 1, "1: warning: action 1, actionType: the action forces the computer to shut down: "
                                   "other programs are closed without saving"},
        CheckCase{"ExecuteFile\n", 2, "1: error: action 1, filePath: the file run has no file"},
        CheckCase{"KeyboardInput\n", 1, "1: warning: action 1, inputText: the keyboard input has no text: it types "
                                        "nothing"},
        CheckCase{"KeyboardInput newlineAfterInput\n", 0, " no findings"},
        CheckCase{"KeyboardInput inputText=\"\\x81\"\n", 2,
                  "1:15: error: action 1, inputText: the text holds bytes that are no character of the code page"},
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
              "C:\\work\\m.TPM: byte 32: warning: action 1, actionType: the action forces the computer to shut down: "
              "other programs are closed without saving\n"
              "C:\\work\\m.TPM: byte 119: error: action 2, trueJump: jump target 7 is outside the list (1..2, or 3 "
              "for the end); the pass ends there\n"
              "C:\\work\\m.TPM: 1 error, 1 warning\n");
}

// Damage the reader passes over: show and text still work, check warns at the byte.
TEST_F(Tpm, CheckWarnsOfTrailingBytesAndANegativeCount) {
    RecordValues click;
    click.type = code(ActionType::LeftClick);
    click.offsetEnabled = 0;
    const struct {
        std::string bytes;
        std::string report;
    } cases[] = {
        {header(1202, 0, 0, 1, 1) + record(click, 21) + "xyz",
         "C:\\work\\m.TPM: byte 119: warning: 3 bytes after the last record are no part of the macro\n"},
        {header(1202, 0, 0, 1, -4),
         "C:\\work\\m.TPM: byte 28: warning: the record count is -4: the file holds no actions\n"},
    };
    for (const auto& c : cases) {
        files.put("C:\\work\\m.TPM", c.bytes);
        EXPECT_EQ(tpm({"check", "C:\\work\\m.TPM"}), 1);
        EXPECT_EQ(output.out, c.report + "C:\\work\\m.TPM: 0 errors, 1 warning\n");
        EXPECT_EQ(tpm({"text", "C:\\work\\m.TPM"}), 0) << output.err;
        EXPECT_EQ(tpm({"show", "C:\\work\\m.TPM"}), 0) << output.err;
    }
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
    };
    for (const auto& c : cases) {
        files.put("C:\\work\\m.TPM", c.bytes);
        EXPECT_EQ(tpm(c.args), 2) << c.err;
        EXPECT_EQ(output.err, c.err);
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

// A loop as long as a real macro gets: found without deep recursion, named once.
TEST_F(Tpm, LongNoWaitLoopIsOneFinding) {
    Macro macro;
    ActionRecord move;
    move.actionType = ActionType::MoveOnly;
    move.preWaitMs = move.postWaitMs = 0;
    for (int i = 0; i < 100000; ++i) macro.actions.append(move);
    ActionRecord back = move;
    back.actionType = ActionType::Skip;
    back.trueJump = -100000;
    macro.actions.append(back);
    const std::vector<Finding> findings = checkMacro(macro, codePage);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].action, 100001);
    EXPECT_EQ(findings[0].message, "the jump back to action 1 closes a loop of 100001 actions (1..100001) that can "
                                   "repeat with no wait (busy loop)");
}

// A text saved in another encoding stops with one message that names it, with no raw bytes.
TEST_F(Tpm, TextsInOtherEncodingsGetOneMessage) {
    const std::string utf16le("L\0e\0f\0t\0C\0l\0i\0c\0k\0\n\0", 20);
    const struct {
        std::string bytes;
        const char* found;
    } cases[] = {
        {"\xFF\xFE" + utf16le, "UTF-16 (little-endian, with a byte order mark)"},
        {utf16le, "UTF-16 (little-endian, without a byte order mark)"},
        {std::string("\xFE\xFF\0L\0e", 6), "UTF-16 (big-endian, with a byte order mark)"},
        {std::string("\0L\0e\0f\0t", 8), "UTF-16 (big-endian, without a byte order mark)"},
        {"KeyboardInput inputText=\"\x82\xA0\"\n", "code page 932 (Shift_JIS)"},
    };
    for (const auto& c : cases) {
        files.put("C:\\work\\t.txt", c.bytes);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"build", "C:\\work\\t.txt", "-o", "t.TPM"}, {"check", "C:\\work\\t.txt"}}) {
            EXPECT_EQ(tpm(args), 2);
            EXPECT_EQ(output.err, std::string("C:\\work\\t.txt: the text is in ") + c.found +
                                      "; tpm reads texts in UTF-8: save it as UTF-8\n");
            EXPECT_EQ(output.out, "");
        }
    }
    files.put("C:\\work\\t.txt", std::string("Left\x01" "Click x=\xFF\n"));  // neither: the parser's own message
    EXPECT_EQ(tpm({"build", "C:\\work\\t.txt"}), 2);
    EXPECT_EQ(output.err,
              "C:\\work\\t.txt:1:1: error: unknown action type \"Left\\x01Click\"\n"
              "C:\\work\\t.txt:1:14: error: \"\\xFF\" is not a number\n");
}

TEST_F(Tpm, LabelledTextBuildsTheSameBytes) {
    files.put("C:\\work\\m.txt",
              "macro loopEnabled\nLeftClick\nCondition trueJump=1 falseJump=4\nSkip trueJump=2 offsetEnabled "
              "offsetRef=1\nSkip trueJump=9\n");
    ASSERT_EQ(tpm({"build", "C:\\work\\m.txt"}), 0) << output.err;
    const std::string built = *files.content("C:\\work\\m.TPM");
    ASSERT_EQ(tpm({"text", "--labels", "C:\\work\\m.TPM"}), 0) << output.err;
    EXPECT_EQ(output.out,
              "macro loopEnabled\n@L1 LeftClick\n@L2 Condition trueJump=@L1 falseJump=@L4\n"
              "Skip trueJump=@L2 offsetEnabled offsetRef=@L1\n@L4 Skip trueJump=9\n");
    files.put("C:\\work\\l.txt", output.out);
    ASSERT_EQ(tpm({"build", "C:\\work\\l.txt", "-o", "C:\\work\\l.TPM"}), 0) << output.err;
    EXPECT_EQ(*files.content("C:\\work\\l.TPM"), built);
    ASSERT_EQ(tpm({"text", "C:\\work\\m.TPM", "-o", "C:\\work\\n.txt"}), 0) << output.err;
    EXPECT_EQ(*files.content("C:\\work\\n.txt"), "macro loopEnabled\nLeftClick\nCondition trueJump=1 falseJump=4\n"
                                                 "Skip trueJump=2 offsetEnabled offsetRef=1\nSkip trueJump=9\n");
}

TEST_F(Tpm, UnknownAndDuplicateLabelsAreErrorsWhereTheyStand) {
    files.put("C:\\work\\m.txt", "@top LeftClick\n@top Skip trueJump=@end\n  Skip trueJump=@top offsetRef=@x-y\n@ Skip\n"
                                 "@lone\n@a macro\n");
    EXPECT_EQ(tpm({"build", "C:\\work\\m.txt"}), 2);
    EXPECT_EQ(output.err,
              "C:\\work\\m.txt:2:1: error: the label \"@top\" is already on line 1\n"
              "C:\\work\\m.txt:2:20: error: unknown label \"@end\"\n"
              "C:\\work\\m.txt:3:32: error: expected a label name after \"@\" (letters, digits, _)\n"
              "C:\\work\\m.txt:4:1: error: expected a label name after \"@\" (letters, digits, _)\n"
              "C:\\work\\m.txt:5:1: error: the label \"@lone\" needs an action after it\n"
              "C:\\work\\m.txt:6:1: error: the \"macro\" line takes no label\n");
}

// Standard input and output, and outputs that would destroy data.
TEST_F(Tpm, StandardStreamsAndOutputsThatAreRefused) {
    files.standardInputBytes = "macro\nWaitOnly\n";
    ASSERT_EQ(tpm({"build", "-"}), 0) << output.err;
    EXPECT_TRUE(output.binaryOut);
    const std::string built = output.out;
    files.standardInputBytes = built;
    ASSERT_EQ(tpm({"text", "-"}), 0) << output.err;
    EXPECT_EQ(output.out, "macro\nWaitOnly\n");
    EXPECT_FALSE(output.binaryOut);

    files.put("C:\\work\\x.tpm", "macro\n");
    files.devices.insert("C:\\work\\dev");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"build", "C:\\work\\x.tpm"}, 2, "C:\\work\\x.TPM: this is the input file; write to another file\n"},
        {{"build", "C:\\work\\x.tpm", "-o", "x.TPM"}, 2, "x.TPM: this is the input file; write to another file\n"},
        {{"build", "C:\\work\\x.tpm", "-o", "C:\\work\\dev"}, 2,
         "C:\\work\\dev: not a regular file; tpm writes only regular files\n"},
        {{"build", "C:\\work\\x.tpm", "-o", "C:\\work\\y.bin"}, 0,
         "C:\\work\\y.bin: warning: the name does not end in .TPM, which Tappling opens\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tpm(c.args), c.status) << c.err;
        EXPECT_EQ(output.err, c.err);
    }
    EXPECT_EQ(*files.content("C:\\work\\x.tpm"), "macro\n");
}

// For git: what can be read, then a comment line that says where and why it stops; exit 0.
TEST_F(Tpm, TextconvNeverFails) {
    RecordValues click;
    click.type = code(ActionType::LeftClick);
    const std::string full = header(1202, 0, 0, 1, 2) + record(click, 21) + record(click, 21);
    const struct {
        std::string bytes;
        size_t actionLines;
        std::string last;  // the last line
    } cases[] = {
        {full, 2, ""},
        {full.substr(0, full.size() - 5), 1,
         "# tpm: C:\\work\\m.TPM: byte " + std::to_string(full.size() - 8) + ": the file ends early, in record 2 of 2 (" +
             std::to_string(full.size() - 5) + " bytes in all); the text stops here\n"},
        {"junk", 0, "# tpm: C:\\work\\m.TPM: not a macro file (it does not start with \"MouseAction\"); the text stops here\n"},
        {"", 0, "# tpm: C:\\work\\none.TPM: cannot open: cannot open C:\\work\\none.TPM\n"},
    };
    for (const auto& c : cases) {
        files.put("C:\\work\\m.TPM", c.bytes);
        EXPECT_EQ(tpm({"textconv", c.bytes.empty() ? "C:\\work\\none.TPM" : "C:\\work\\m.TPM"}), 0);
        EXPECT_EQ(output.err, "");
        EXPECT_TRUE(output.out.ends_with(c.last)) << output.out;
        size_t actions = 0;
        for (size_t at = 0; (at = output.out.find("\nLeftClick ", at)) != std::string::npos; ++at) ++actions;
        EXPECT_EQ(actions, c.actionLines) << output.out;
    }
}

}  // namespace
}  // namespace tappling
