#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

struct CommandLineCase {
    const char* name;
    std::string line;
    std::string path;
    int32_t autoRunMode;
    int32_t randomMode;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, GivesPathAndMode) {
    Cp932CodePage codePage;
    const CommandLineCase& c = GetParam();
    const StartOptions options = parseCommandLine(c.line, codePage);
    EXPECT_FALSE(options.emptyCommandLine);
    EXPECT_EQ(options.path, c.path);
    EXPECT_EQ(options.autoRunMode, c.autoRunMode);
    EXPECT_EQ(options.randomMode, c.randomMode);
}

// "表" is 0x95 0x5C in code page 932 (trail byte is a backslash), "ア" is 0x83 0x41 and
// "ャ" is 0x83 0x62 (trail bytes that look like letters), "　" is 0x81 0x40.
INSTANTIATE_TEST_SUITE_P(
    Grammar, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"LowerCaseOption", "C:\\m\\a.TPM -nodig", "C:\\m\\a.TPM", 1, 0},
        CommandLineCase{"ShellVerbForm", "C:\\m\\a.TPM-NODR", "C:\\m\\a.TPM", 1, 1},
        CommandLineCase{"PlainPath", "C:\\m\\a.TPM", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"NormalOption", "C:\\m\\a.TPM -ONDIG", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"UnknownOption", "C:\\m\\a.TPM -XYZ", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"OptionFirst", "-NODIG C:\\m\\a.TPM", "-NODIG C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"DashInFolder", "C:\\my-dir\\a.TPM -NODIG", "C:\\my", 1, 0},
        CommandLineCase{"OptionWithTrailingBlank", "C:\\m\\a.TPM -NODIG ", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"OptionAlone", "-NODIG", "-NODIG", 1, 0},
        CommandLineCase{"QuotedPath", "\"C:\\m\\a.TPM\" -NODIG", "\"C:\\m\\a.TPM\"", 1, 0},
        CommandLineCase{"LeadingBlankKept", "  C:\\m\\a.TPM\t -NODR", "  C:\\m\\a.TPM", 1, 1},
        CommandLineCase{"TrailingBlanksTrimmed", "C:\\m\\a.TPM  \t", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"OptionMixedCase", "C:\\m\\a.TPM -NoDr", "C:\\m\\a.TPM", 1, 1},
        CommandLineCase{"Cp932TrailBackslash", "C:\\\x95\x5C\\a.TPM -NODIG", "C:\\\x95\x5C\\a.TPM", 1, 0},
        CommandLineCase{"Cp932TrailLetterInOption", "C:\\m\\a.TPM -NODIG\x83\x41", "C:\\m\\a.TPM", 0, 0},
        // Only ASCII letters are upper-cased: the trail byte 'b' of "ャ" must stay.
        CommandLineCase{"Cp932TrailLetterInPath", "C:\\\x83\x62.TPM -nodr", "C:\\\x83\x62.TPM", 1, 1},
        CommandLineCase{"FullWidthBlankIsNotWhiteSpace", "C:\\m\\a.TPM\x81\x40 -NODIG", "C:\\m\\a.TPM\x81\x40", 1, 0},
        CommandLineCase{"FullWidthBlankAfterOption", "C:\\m\\a.TPM -NODIG\x81\x40", "C:\\m\\a.TPM", 0, 0},
        CommandLineCase{"TwoOptionsLastWins", "C:\\m\\a.TPM -NODIG -NODR", "C:\\m\\a.TPM", 1, 1},
        CommandLineCase{"BlanksOnly", "   ", "", 0, 0}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

TEST(CommandLineEmpty, IsReportedAsEmptyWithNormalMode) {
    Cp932CodePage codePage;
    const StartOptions options = parseCommandLine("", codePage);
    EXPECT_TRUE(options.emptyCommandLine);
    EXPECT_EQ(options.path, "");
    EXPECT_EQ(options.autoRunMode, 0);
    EXPECT_EQ(options.randomMode, 0);
}

// A lead byte whose trail byte is missing at the very end must not be read past.
TEST(CommandLineEdge, LoneLeadByteAtEnd) {
    Cp932CodePage codePage;
    const StartOptions options = parseCommandLine("C:\\a.TPM -NODIG\x95", codePage);
    EXPECT_EQ(options.path, "C:\\a.TPM");
    EXPECT_EQ(options.autoRunMode, 0);
}

}  // namespace
}  // namespace tappling
