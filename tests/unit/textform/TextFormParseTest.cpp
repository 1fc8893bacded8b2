// Hand-written text forms, and the messages for malformed ones.
#include <gtest/gtest.h>

#include "textform/TextFormParser.h"
#include "tpm/posix/IconvCodePage.h"

namespace tappling {
namespace {

const IconvCodePage& codePage() {
    static const IconvCodePage instance;
    return instance;
}

TEST(TextFormParse, HandWrittenTextWithJapaneseAndBackwardJumps) {
    const ParsedText parsed = parseTextForm(
        "\xEF\xBB\xBF# a macro written by hand\r\n"
        "macro loopEnabled loopLimited=1 loopCount=0x10\r\n"
        "\n"
        "   KeyboardInput inputText=\"こんにちは\\n\" comment=\"ｶﾅ\\x81\" # typed\n"
        "Condition\tx=-5 y=+7 conditionColor=0x00FF8000 invertCondition trueJump=1 falseJump=-3\n"
        "Skip trueJump=2 preWaitMs=0\n"
        "25 offsetEnabled=1 offsetRef=4\n",
        codePage());
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0].message;
    EXPECT_EQ(parsed.macro.loopEnabled, 1);
    EXPECT_EQ(parsed.macro.loopLimited, 1);
    EXPECT_EQ(parsed.macro.loopCount, 16);
    EXPECT_EQ(parsed.actionLines, (std::vector<int32_t>{4, 5, 6, 7}));
    ASSERT_EQ(parsed.macro.actions.size(), 4);
    const ActionRecord& typed = parsed.macro.actions.at(0);
    EXPECT_EQ(typed.actionType, ActionType::KeyboardInput);
    EXPECT_EQ(typed.inputText, "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\n");
    EXPECT_EQ(typed.comment, "\xB6\xC5\x81");
    const ActionRecord& condition = parsed.macro.actions.at(1);
    EXPECT_EQ(condition.x, -5);
    EXPECT_EQ(condition.y, 7);
    EXPECT_EQ(condition.conditionColor, 0x00FF8000);
    EXPECT_EQ(condition.invertCondition, 1);
    EXPECT_EQ(condition.trueJump, -1);   // action 1 from action 2
    EXPECT_EQ(condition.falseJump, -5);  // action -3: before the list
    EXPECT_EQ(parsed.macro.actions.at(2).trueJump, -1);
    EXPECT_EQ(parsed.macro.actions.at(2).preWaitMs, 0);
    EXPECT_EQ(parsed.macro.actions.at(3).actionType, ActionType::CtrlRight);
    EXPECT_EQ(parsed.macro.actions.at(3).offsetRef, 0);
}

struct Malformed {
    const char* text;
    const char* error;  // "line:column: message" of the first error
};

class MalformedText : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedText, ReportsLineColumnAndCause) {
    const ParsedText parsed = parseTextForm(GetParam().text, codePage());
    ASSERT_FALSE(parsed.errors.empty());
    const TextDiagnostic& first = parsed.errors.front();
    EXPECT_EQ(std::to_string(first.line) + ":" + std::to_string(first.column) + ": " + first.message,
              GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedText,
    ::testing::Values(
        Malformed{"macro\nLeftClick z=1", "2:11: unknown field \"z\""},
        Malformed{"Clik x=1", "1:1: unknown action type \"Clik\""},
        Malformed{"LeftClick x=12a", "1:13: \"12a\" is not a number"},
        Malformed{"LeftClick x=", "1:13: field \"x\" needs a number"},
        Malformed{"LeftClick x", "1:11: field \"x\" needs a value (x=...)"},
        Malformed{"LeftClick x=2147483648", "1:13: 2147483648 is out of range"},
        Malformed{"LeftClick conditionColor=0x100000000", "1:26: 4294967296 is out of range"},
        Malformed{"LeftClick x=99999999999999999999", "1:13: the number is out of range"},
        Malformed{"KeyboardInput comment=\"日本語", "1:23: unterminated text (a \" is missing)"},
        Malformed{"KeyboardInput comment=\"a\\q\"", "1:25: unknown escape \"\\q\" (use \\\" \\\\ \\n \\r \\t \\xHH)"},
        Malformed{"KeyboardInput comment=\"\\x4\"", "1:24: \\x needs two hexadecimal digits"},
        Malformed{"KeyboardInput comment=abc", "1:15: field \"comment\" needs a text in double quotes"},
        Malformed{"KeyboardInput comment=\"a\"b", "1:26: expected a blank after the closing \""},
        Malformed{"WaitOnly\nKeyboardInput inputText=\"あ😀\"", "2:27: action 2, inputText: the code page cannot hold \"😀\""},
        Malformed{"KeyboardInput inputText=\"a\xFF\"", "1:27: invalid UTF-8"},
        Malformed{"Skip\nSkip\nSkip trueJump=2147483651", "3:15: action number 2147483651 is out of range"},
        Malformed{"Skip trueJump=-2147483648", "1:15: action number -2147483648 is out of range"},
        Malformed{"LeftClick x=1 x=2", "1:15: field \"x\" is given twice"},
        Malformed{"LeftClick =1", "1:11: expected a field name"},
        Malformed{"LeftClick\nmacro", "2:1: the \"macro\" line must come before the first action"},
        Malformed{"macro\nmacro", "2:1: the \"macro\" line is given twice"},
        Malformed{"macro loopCount", "1:7: field \"loopCount\" needs a value (loopCount=...)"},
        Malformed{"macro x=1", "1:7: unknown field \"x\" of the macro line"},
        Malformed{"\"text\"", "1:1: expected an action type or \"macro\""}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TextFormParse, EveryMistakeIsReportedUpToALimit) {
    std::string text = "macro\nLeftClick x=a\nLeftClick y=b\n";
    ParsedText parsed = parseTextForm(text, codePage());
    ASSERT_EQ(parsed.errors.size(), 2u);
    EXPECT_EQ(parsed.errors[1].line, 3);
    for (int i = 0; i < 200; ++i) text += "Bad\n";
    parsed = parseTextForm(text, codePage());
    EXPECT_EQ(parsed.errors.size(), kMaxTextErrors + 1);
    EXPECT_EQ(parsed.errors.back().message, "too many errors; stopped reading here");
    std::string many;
    for (int32_t i = 0; i <= kMaxTextActions; ++i) many += "0\n";
    parsed = parseTextForm(many, codePage());
    ASSERT_EQ(parsed.errors.size(), 1u);
    EXPECT_EQ(parsed.errors[0].line, kMaxTextActions + 1);
    EXPECT_EQ(parsed.macro.actions.size(), kMaxTextActions);
}

}  // namespace
}  // namespace tappling
