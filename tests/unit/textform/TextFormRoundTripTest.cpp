// text then build: the same bytes for every file the program writes (version 1202), the
// same records and loop values for the older versions.
#include <gtest/gtest.h>

#include "textform/FakeTpmFiles.h"
#include "model/MacroBytes.h"
#include "model/MacroFile.h"
#include "textform/TextFormParser.h"
#include "textform/TextFormPrinter.h"
#include "textform/TpmCommands.h"
#include "tpm/posix/IconvCodePage.h"

namespace tappling {
namespace {

using namespace testbytes;

class RoundTrip : public ::testing::Test {
protected:
    int tpm(std::vector<std::string> args) {
        output = {};
        return runTpm(args, files, codePage, output);
    }
    // The file's text, built again: returns the rebuilt bytes.
    std::string textThenBuild(const std::string& bytes) {
        files.put("C:\\work\\in.TPM", bytes);
        EXPECT_EQ(tpm({"text", "C:\\work\\in.TPM"}), 0) << output.err;
        files.put("C:\\work\\in.txt", output.out);
        EXPECT_EQ(tpm({"build", "C:\\work\\in.txt", "-o", "C:\\work\\out.TPM"}), 0) << output.err;
        const std::string* built = files.content("C:\\work\\out.TPM");
        return built ? *built : std::string();
    }
    Macro read(const std::string& bytes) {
        files.put("C:\\work\\r.TPM", bytes);
        Macro macro;
        EXPECT_EQ(readMacroFile(macro, "C:\\work\\r.TPM", ReadMode::Open, files.disk, codePage).result, ReadResult::Loaded);
        return macro;
    }
    IconvCodePage codePage;
    FakeTpmFiles files;
    TpmOutput output;
};

TEST_F(RoundTrip, EveryVersionKeepsRecordsAndLoopValues) {
    for (int32_t version : {1000, 1100, 1101, 1200, 1201, 1202}) {
        RecordValues condition, click, old;
        condition.type = code(ActionType::Condition);
        click.type = code(ActionType::RightDown);
        click.comment = "\x83\x81\x83\x82";  // メモ in 932
        old.type = 17;                         // ExecuteFile in 1100, UpKey later
        const std::string bytes = header(version, 1, 1, 9, 3) + record(condition, itemsOf(version)) +
                                  record(click, itemsOf(version)) + record(old, itemsOf(version));
        const Macro original = read(bytes);
        const std::string rebuilt = textThenBuild(bytes);
        const Macro again = read(rebuilt);
        EXPECT_EQ(again.actions.records(), original.actions.records()) << version;
        EXPECT_EQ(again.loopEnabled, original.loopEnabled);
        EXPECT_EQ(again.loopLimited, original.loopLimited);
        EXPECT_EQ(again.loopCount, original.loopCount);
        if (version == 1202) {
            EXPECT_EQ(rebuilt, bytes);
        }
    }
}

TEST_F(RoundTrip, ExtremeValuesAndOddBytesComeBackByteForByte) {
    RecordValues a, b, c, d;
    a.type = 99;
    a.x = INT32_MIN, a.y = INT32_MAX, a.reserved2 = -1, a.pre = 0, a.post = -7, a.repeat = 0;
    a.trueJump = INT32_MAX, a.falseJump = INT32_MIN, a.offsetRef = INT32_MIN, a.colour = -1;
    a.newline = 2, a.maximized = 0, a.firstOnly = -3, a.invert = 0, a.offsetEnabled = 0;
    b.type = -5;
    b.input = "\x95\x5C\x8E\xA6";                  // 表示: the trail byte of 表 is a backslash
    b.comment = std::string("q\"\\\n\r\t\x01\x7F", 9);  // quote, escapes, controls
    b.file = "\xB1\xB2 \x81\x5C \xFA\x40 \xED\x40";   // half-width kana, a dash, duplicate mappings
    c.type = code(ActionType::Skip);
    c.input = "\x81";                              // a lead byte alone at the end
    c.comment = "\x85\x40\xA0\xFD\xFE\xFF\x80";     // bytes that are no characters of 932
    c.file = std::string(300, 'L');
    d.type = code(ActionType::KeyboardInput);
    d.input = d.comment = d.file = "";
    const std::string bytes =
        header(1202, 5, -1, INT32_MIN, 4) + record(a, 21) + record(b, 21) + record(c, 21) + record(d, 21);
    EXPECT_EQ(textThenBuild(bytes), bytes);
}

TEST_F(RoundTrip, PrintedFormNamesOnlyChangedFieldsWithAbsoluteTargets) {
    Macro macro;
    macro.loopEnabled = 1;
    macro.loopCount = 3;
    ActionRecord click;
    click.x = 120;
    click.y = 340;
    ActionRecord condition;
    condition.actionType = ActionType::Condition;
    condition.trueJump = -1;  // action 1
    condition.falseJump = 1;  // action 3
    condition.conditionColor = 0x0000FF;
    ActionRecord skip;
    skip.actionType = ActionType::Skip;
    skip.trueJump = -2;
    skip.offsetEnabled = 1;
    skip.offsetRef = -1;
    skip.inputText = "\x82\xA0";  // あ
    for (const ActionRecord& r : {click, condition, skip}) macro.actions.append(r);
    EXPECT_EQ(printTextForm(macro, codePage),
              "macro loopEnabled loopCount=3\n"
              "LeftClick x=120 y=340\n"
              "Condition conditionColor=0x000000FF trueJump=1 falseJump=3\n"
              "Skip inputText=\"あ\" trueJump=1 offsetEnabled offsetRef=2\n");
}

}  // namespace
}  // namespace tappling
