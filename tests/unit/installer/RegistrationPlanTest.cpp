#include "installer/RegistrationPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/Cp932CodePage.h"
#include "installer/FakeRegistry.h"

namespace tappling::installer {
namespace {

using Writes = std::vector<std::pair<std::string, std::string>>;

const std::string kRandomCaptionCp932 = "\x83\x89\x83\x93\x83\x5F\x83\x80\x8E\xA9\x93\xAE\x8E\xC0\x8D\x73";
const std::string kAutoCaptionCp932 = "\x8E\xA9\x93\xAE\x8E\xC0\x8D\x73";

// program: the program path as it appears in the commands.
Writes expectedWrites(const std::string& dir, const std::string& program) {
    return {
        {".TPM", "TapplingFile"},
        {"TapplingFile", "TapplingFile"},
        {"TapplingFile\\shell\\open\\command", program + " %1"},
        {"TapplingFile\\DefaultIcon", dir + "\\TapplingFile.ico"},
        {"TapplingFile\\shell\\randameopen\\command", program + " %1-NODR"},
        {"TapplingFile\\shell\\randameopen", kRandomCaptionCp932},
        {"TapplingFile\\shell\\nodlg\\command", program + " %1-NODIG"},
        {"TapplingFile\\shell\\nodlg", kAutoCaptionCp932},
    };
}

Writes expectedWrites(const std::string& dir) { return expectedWrites(dir, dir + "\\Tappling.exe"); }

class RegistrationPlanTest : public ::testing::Test {
protected:
    Cp932CodePage codePage;
    FakeRegistry registry;
};

TEST_F(RegistrationPlanTest, ExactValuesInOrderForToolsDirectory) {
    Writes values;
    for (const RegistryValue& v : registrationValues("C:\\Tools", codePage)) values.emplace_back(v.key, v.text);
    EXPECT_EQ(values, expectedWrites("C:\\Tools"));
    EXPECT_EQ(values[6].second, "C:\\Tools\\Tappling.exe %1-NODIG");
}

TEST_F(RegistrationPlanTest, FreshSystemWritesAllEightValues) {
    EXPECT_EQ(registerFileType(registry, "C:\\Tools", codePage), RegistrationResult::Registered);
    EXPECT_EQ(registry.readLog, std::vector<std::string>{".TPM"});
    EXPECT_EQ(registry.writeLog, expectedWrites("C:\\Tools"));
    EXPECT_EQ(registry.values[".TPM"], "TapplingFile");
}

TEST_F(RegistrationPlanTest, OwnMappingIsRewrittenWithTheCurrentDirectory) {
    registerFileType(registry, "C:\\Old", codePage);
    registry.writeLog.clear();

    EXPECT_EQ(registerFileType(registry, "D:\\New Place", codePage), RegistrationResult::Registered);
    EXPECT_EQ(registry.writeLog, expectedWrites("D:\\New Place", "\"D:\\New Place\\Tappling.exe\""));
    EXPECT_EQ(registry.values["TapplingFile\\shell\\open\\command"], "\"D:\\New Place\\Tappling.exe\" %1");
    EXPECT_EQ(registry.values["TapplingFile\\DefaultIcon"], "D:\\New Place\\TapplingFile.ico");
}

TEST_F(RegistrationPlanTest, ForeignOwnerMeansNothingIsWritten) {
    const std::vector<std::string> foreignOwners = {"OtherApp.Document", "tapplingfile", "TapplingFile ", ""};
    for (const std::string& owner : foreignOwners) {
        FakeRegistry foreign;
        foreign.values[".TPM"] = owner;
        EXPECT_EQ(registerFileType(foreign, "C:\\Tools", codePage), RegistrationResult::OwnedByOther) << owner;
        EXPECT_TRUE(foreign.writeLog.empty()) << owner;
        EXPECT_EQ(foreign.values.size(), 1u) << owner;
    }
}

TEST_F(RegistrationPlanTest, UnreadableOrMissingDefaultValueProceeds) {
    // The key may exist without a default value, or the value may not be readable
    // (too long for the read buffer, wrong access): both count as not owned.
    registry.values[".TPM"] = "SomethingTooLongToRead";
    registry.unreadableKeys.insert(".TPM");
    EXPECT_EQ(registerFileType(registry, "C:\\Tools", codePage), RegistrationResult::Registered);
    EXPECT_EQ(registry.writeLog, expectedWrites("C:\\Tools"));
}

TEST_F(RegistrationPlanTest, FailedWriteDoesNotStopTheLaterOnes) {
    registry.failingKeys = {".TPM", "TapplingFile\\DefaultIcon"};
    EXPECT_EQ(registerFileType(registry, "C:\\Tools", codePage), RegistrationResult::Registered);
    EXPECT_EQ(registry.writeLog, expectedWrites("C:\\Tools"));
    EXPECT_EQ(registry.values.count(".TPM"), 0u);
    EXPECT_EQ(registry.values.size(), 6u);
}

// Which values survive as the directory grows: the command with "-NODIG" is the longest
// (directory + 22 bytes), then "-NODR" (+21), the icon (+17), open (+16).
struct LengthCase {
    std::size_t directoryBytes;
    std::vector<std::string> skippedKeys;
};

TEST_F(RegistrationPlanTest, OverLongValuesAreSkippedTheRestWritten) {
    const std::string nodig = "TapplingFile\\shell\\nodlg\\command";
    const std::string nodr = "TapplingFile\\shell\\randameopen\\command";
    const std::string icon = "TapplingFile\\DefaultIcon";
    const std::string open = "TapplingFile\\shell\\open\\command";
    const std::vector<LengthCase> cases = {
        {233, {}},
        {234, {nodig}},
        {235, {nodig, nodr}},
        {238, {nodig, nodr}},
        {239, {nodig, nodr, icon}},
        {240, {nodig, nodr, icon, open}},
        {700, {nodig, nodr, icon, open}},
    };
    for (const LengthCase& c : cases) {
        const std::string dir = "C:\\" + std::string(c.directoryBytes - 3, 'd');
        FakeRegistry fake;
        EXPECT_EQ(registerFileType(fake, dir, codePage), RegistrationResult::Registered);

        Writes expected;
        for (const auto& write : expectedWrites(dir)) {
            bool skipped = false;
            for (const std::string& key : c.skippedKeys) skipped = skipped || key == write.first;
            if (!skipped) {
                expected.push_back(write);
                EXPECT_LE(write.second.size(), kMaxValueBytes);
            } else {
                EXPECT_GT(write.second.size(), kMaxValueBytes);
            }
        }
        EXPECT_EQ(fake.writeLog, expected) << c.directoryBytes;
    }
}

TEST_F(RegistrationPlanTest, LimitCountsTheWrittenBytes) {
    // A double-byte directory name: 255 bytes of command text is written, 256 is not.
    const std::string kanji = "\x8E\xA9";  // one character, two bytes
    std::string dir = "C:\\";
    while (dir.size() + 2 <= 232) dir += kanji;  // 231 bytes
    dir += "xy";                                 // 233: the "-NODIG" command is exactly 255
    FakeRegistry fake;
    registerFileType(fake, dir, codePage);
    EXPECT_EQ(fake.values["TapplingFile\\shell\\nodlg\\command"].size(), 255u);
    dir += "y";
    FakeRegistry longer;
    registerFileType(longer, dir, codePage);
    EXPECT_EQ(longer.values.count("TapplingFile\\shell\\nodlg\\command"), 0u);
    EXPECT_EQ(longer.values["TapplingFile\\shell\\randameopen\\command"].size(), 255u);
}

TEST_F(RegistrationPlanTest, ProgramPathWithABlankIsQuotedInCommandsOnly) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Tools", "C:\\Tools\\Tappling.exe"},
        {"C:\\Program Files\\Tappling", "\"C:\\Program Files\\Tappling\\Tappling.exe\""},
        {"C:\\a\tb", "\"C:\\a\tb\\Tappling.exe\""},
        {"C:\\\x95\x5C\x83\x5C", "C:\\\x95\x5C\x83\x5C\\Tappling.exe"},  // no blank among trail bytes
    };
    for (const auto& [dir, program] : cases) {
        Writes values;
        for (const RegistryValue& v : registrationValues(dir, codePage)) values.emplace_back(v.key, v.text);
        EXPECT_EQ(values, expectedWrites(dir, program)) << dir;
    }
}

TEST_F(RegistrationPlanTest, QuotesCountTowardsTheLimit) {
    // 231 bytes of directory with a blank: the quoted "-NODIG" command is 231 + 24 = 255.
    const std::string dir = "C:\\ " + std::string(227, 'd');
    FakeRegistry fake;
    registerFileType(fake, dir, codePage);
    EXPECT_EQ(fake.values["TapplingFile\\shell\\nodlg\\command"].size(), 255u);
    FakeRegistry longer;
    registerFileType(longer, dir + "d", codePage);
    EXPECT_EQ(longer.values.count("TapplingFile\\shell\\nodlg\\command"), 0u);
}

struct DirectoryCase {
    std::string modulePath;
    std::optional<std::string> directory;
};

TEST_F(RegistrationPlanTest, ProgramDirectoryIsCutBeforeTheLastSeparator) {
    const std::vector<DirectoryCase> cases = {
        {"C:\\Tools\\Linkery.exe", "C:\\Tools"},
        {"C:\\Linkery.exe", "C:"},
        {"C:\\a\\b c\\Linkery.exe", "C:\\a\\b c"},
        {"\\\\server\\share\\Linkery.exe", "\\\\server\\share"},
        {"Linkery.exe", std::nullopt},
        {"", std::nullopt},
        // The trail bytes of these characters are 0x5C and must not end the directory.
        {"C:\\\x95\x5C\\Linkery.exe", "C:\\\x95\x5C"},
    };
    for (const DirectoryCase& c : cases) {
        EXPECT_EQ(programDirectory(c.modulePath, codePage), c.directory) << c.modulePath;
    }
}

}  // namespace
}  // namespace tappling::installer
