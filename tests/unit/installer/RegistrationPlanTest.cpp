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

Writes expectedWrites(const std::string& dir) {
    const std::string program = "\"" + dir + "\\Tappling.exe\"";
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

// A user's PC without elevation: the machine-wide classes may be read, never written.
struct Machine {
    FakeRegistry perUser;
    FakeRegistry machineWide;
    FakeRegistry merged;
    Machine() { machineWide.denyWrites = true; }
    RegistrationResult registerFrom(const std::string& dir) {
        return registerFileType({perUser, machineWide, merged}, dir, Cp932CodePage());
    }
};

class RegistrationPlanTest : public ::testing::Test {
protected:
    Cp932CodePage codePage;
    Machine machine;
};

TEST_F(RegistrationPlanTest, ExactValuesInOrderWithTheProgramAlwaysQuoted) {
    for (const std::string dir : {"C:\\Tools", "C:\\Program Files\\Tappling", "C:\\\x95\x5C\x83\x5C"}) {
        Writes values;
        for (const RegistryValue& v : registrationValues(dir, codePage)) values.emplace_back(v.key, v.text);
        EXPECT_EQ(values, expectedWrites(dir)) << dir;
    }
    EXPECT_EQ(registrationValues("C:\\Tools", codePage)[6].text, "\"C:\\Tools\\Tappling.exe\" %1-NODIG");
}

TEST_F(RegistrationPlanTest, FreshSystemWritesAllEightPerUserThenMerged) {
    EXPECT_EQ(machine.registerFrom("C:\\Tools"), RegistrationResult::Registered);
    EXPECT_EQ(machine.perUser.readLog, std::vector<std::string>{".TPM"});
    EXPECT_EQ(machine.machineWide.readLog, std::vector<std::string>{".TPM"});
    EXPECT_TRUE(machine.merged.readLog.empty());
    EXPECT_EQ(machine.perUser.writeLog, expectedWrites("C:\\Tools"));
    EXPECT_EQ(machine.merged.writeLog, expectedWrites("C:\\Tools"));
    EXPECT_TRUE(machine.machineWide.writeLog.empty());
}

TEST_F(RegistrationPlanTest, OwnMappingIsRewrittenWithTheCurrentDirectory) {
    machine.registerFrom("C:\\Old");
    machine.machineWide.values[".TPM"] = "TapplingFile";  // an older, elevated registration
    machine.perUser.writeLog.clear();
    EXPECT_EQ(machine.registerFrom("D:\\New Place"), RegistrationResult::Registered);
    EXPECT_EQ(machine.perUser.writeLog, expectedWrites("D:\\New Place"));
    EXPECT_EQ(machine.perUser.values["TapplingFile\\DefaultIcon"], "D:\\New Place\\TapplingFile.ico");
}

// Where another program's mapping sits: either view is enough to leave everything alone.
struct OwnerCase {
    const char* perUserOwner;  // nullptr: no value
    const char* machineWideOwner;
    RegistrationResult result;
};

TEST_F(RegistrationPlanTest, ForeignOwnerInEitherClassesMeansNothingIsWritten) {
    const std::vector<OwnerCase> cases = {
        {"OtherApp.Document", nullptr, RegistrationResult::OwnedByOther},
        {nullptr, "OtherApp.Document", RegistrationResult::OwnedByOther},
        {"TapplingFile", "OtherApp.Document", RegistrationResult::OwnedByOther},
        {"OtherApp.Document", "TapplingFile", RegistrationResult::OwnedByOther},
        {"tapplingfile", nullptr, RegistrationResult::OwnedByOther},
        {nullptr, "TapplingFile ", RegistrationResult::OwnedByOther},
        {"", nullptr, RegistrationResult::OwnedByOther},
        {"TapplingFile", "TapplingFile", RegistrationResult::Registered},
        {nullptr, nullptr, RegistrationResult::Registered},
    };
    for (const OwnerCase& c : cases) {
        Machine m;
        if (c.perUserOwner) m.perUser.values[".TPM"] = c.perUserOwner;
        if (c.machineWideOwner) m.machineWide.values[".TPM"] = c.machineWideOwner;
        const std::string label = std::string(c.perUserOwner ? c.perUserOwner : "-") + " | " +
                                  (c.machineWideOwner ? c.machineWideOwner : "-");
        EXPECT_EQ(m.registerFrom("C:\\Tools"), c.result) << label;
        const bool written = c.result == RegistrationResult::Registered;
        EXPECT_EQ(m.perUser.writeLog.empty(), !written) << label;
        EXPECT_EQ(m.merged.writeLog.empty(), !written) << label;
    }
}

TEST_F(RegistrationPlanTest, UnreadableOrMissingDefaultValueProceeds) {
    // The key may exist without a default value, or the value may not be readable
    // (too long for the read buffer): both count as not owned.
    machine.perUser.values[".TPM"] = "SomethingTooLongToRead";
    machine.perUser.unreadableKeys.insert(".TPM");
    machine.machineWide.unreadableKeys.insert(".TPM");
    EXPECT_EQ(machine.registerFrom("C:\\Tools"), RegistrationResult::Registered);
    EXPECT_EQ(machine.perUser.writeLog, expectedWrites("C:\\Tools"));
}

TEST_F(RegistrationPlanTest, OnlyAPerUserFailureIsReported) {
    machine.merged.denyWrites = true;
    EXPECT_EQ(machine.registerFrom("C:\\Tools"), RegistrationResult::Registered);

    Machine failing;
    failing.perUser.failingKeys = {".TPM", "TapplingFile\\DefaultIcon"};
    EXPECT_EQ(failing.registerFrom("C:\\Tools"), RegistrationResult::PerUserWriteFailed);
    EXPECT_EQ(failing.perUser.writeLog, expectedWrites("C:\\Tools"));  // the later ones are still tried
    EXPECT_EQ(failing.perUser.values.size(), 6u);
    EXPECT_EQ(failing.merged.writeLog, expectedWrites("C:\\Tools"));

    EXPECT_EQ(exitCodeFor(RegistrationResult::Registered), 0);
    EXPECT_EQ(exitCodeFor(RegistrationResult::PerUserWriteFailed), 1);
    EXPECT_EQ(exitCodeFor(RegistrationResult::OwnedByOther), 2);
}

// Which values survive as the directory grows: the command with "-NODIG" is the longest
// (directory + 24 bytes with the quotes), then "-NODR" (+23), open (+18), the icon (+17).
struct LengthCase {
    std::size_t directoryBytes;
    std::vector<std::string> skippedKeys;
};

TEST_F(RegistrationPlanTest, OverLongValuesAreSkippedTheRestWrittenAndTheFailureReported) {
    const std::string nodig = "TapplingFile\\shell\\nodlg\\command";
    const std::string nodr = "TapplingFile\\shell\\randameopen\\command";
    const std::string icon = "TapplingFile\\DefaultIcon";
    const std::string open = "TapplingFile\\shell\\open\\command";
    const std::vector<LengthCase> cases = {
        {231, {}},
        {232, {nodig}},
        {233, {nodig, nodr}},
        {237, {nodig, nodr}},
        {238, {nodig, nodr, open}},
        {239, {nodig, nodr, open, icon}},
        {700, {nodig, nodr, open, icon}},
    };
    for (const LengthCase& c : cases) {
        const std::string dir = "C:\\" + std::string(c.directoryBytes - 3, 'd');
        Machine m;
        EXPECT_EQ(m.registerFrom(dir), c.skippedKeys.empty() ? RegistrationResult::Registered
                                                             : RegistrationResult::PerUserWriteFailed);
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
        EXPECT_EQ(m.perUser.writeLog, expected) << c.directoryBytes;
        EXPECT_EQ(m.merged.writeLog, expected) << c.directoryBytes;
    }
}

TEST_F(RegistrationPlanTest, LimitCountsTheWrittenBytes) {
    // A double-byte directory name: 255 bytes of command text is written, 256 is not.
    const std::string kanji = "\x8E\xA9";  // one character, two bytes
    std::string dir = "C:\\ ";
    while (dir.size() + 2 <= 230) dir += kanji;  // 230 bytes
    dir += "x";                                  // 231: the quoted "-NODIG" command is exactly 255
    Machine m;
    m.registerFrom(dir);
    EXPECT_EQ(m.perUser.values["TapplingFile\\shell\\nodlg\\command"].size(), 255u);
    Machine longer;
    longer.registerFrom(dir + "y");
    EXPECT_EQ(longer.perUser.values.count("TapplingFile\\shell\\nodlg\\command"), 0u);
    EXPECT_EQ(longer.perUser.values["TapplingFile\\shell\\randameopen\\command"].size(), 255u);
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
