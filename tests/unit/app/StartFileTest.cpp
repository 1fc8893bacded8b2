#include "app/StartFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

class FakeFiles final : public FileProbe {
public:
    std::set<std::string> files;
    mutable std::vector<std::string> asked;
    bool isFile(const std::string& path) const override {
        asked.push_back(path);
        return files.count(path) > 0;
    }
};

struct FindCase {
    const char* commandLine;
    std::set<std::string> files;
    std::string path;
    int32_t autoRunMode;
    int32_t randomMode;
};

TEST(StartFileTest, FirstReadingThatNamesAnExistingFileWins) {
    const std::string oneDrive = "C:\\Users\\taro\\OneDrive - \x89\xEF\x8E\xD0\\a.TPM";  // 会社
    const std::vector<FindCase> cases = {
        // What works today stays: the grammar's split first.
        {"C:\\m\\a.TPM", {"C:\\m\\a.TPM"}, "C:\\m\\a.TPM", 0, 0},
        {"C:\\m\\a.TPM -NODIG", {"C:\\m\\a.TPM"}, "C:\\m\\a.TPM", 1, 0},
        {"C:\\m\\a.TPM-NODR", {"C:\\m\\a.TPM", "C:\\m\\a.TPM-NODR"}, "C:\\m\\a.TPM", 1, 1},
        // A dash in a folder name: the text before the last dash, keeping the option.
        {"C:\\a - b\\x.TPM-NODIG", {"C:\\a - b\\x.TPM"}, "C:\\a - b\\x.TPM", 1, 0},
        {"C:\\a-b\\c-d\\x.TPM -nodr", {"C:\\a-b\\c-d\\x.TPM"}, "C:\\a-b\\c-d\\x.TPM", 1, 1},
        // ... then the whole text with no option.
        {"C:\\a-b\\x.TPM", {"C:\\a-b\\x.TPM"}, "C:\\a-b\\x.TPM", 0, 0},
        {(oneDrive).c_str(), {oneDrive}, oneDrive, 0, 0},
        {"C:\\a-b\\x-NODIG.TPM", {"C:\\a-b\\x-NODIG.TPM"}, "C:\\a-b\\x-NODIG.TPM", 0, 0},
        // Quotation marks around the path, for every reading.
        {"\"C:\\My Macros\\a.TPM\"", {"C:\\My Macros\\a.TPM"}, "C:\\My Macros\\a.TPM", 0, 0},
        {"\"C:\\m\\a.TPM\" -NODIG", {"C:\\m\\a.TPM"}, "C:\\m\\a.TPM", 1, 0},
        {"\"C:\\a-b\\x.TPM\"", {"C:\\a-b\\x.TPM"}, "C:\\a-b\\x.TPM", 0, 0},
        {"\"C:\\a-b\\x.TPM\"-NODR", {"C:\\a-b\\x.TPM"}, "C:\\a-b\\x.TPM", 1, 1},
        // Nothing exists: the grammar's split, unchanged.
        {"C:\\a-b\\x.TPM -NODIG", {}, "C:\\a", 1, 0},
        {"\"C:\\none.TPM\"", {}, "\"C:\\none.TPM\"", 0, 0},
        // The trail byte 0x2D of a double-byte character is no dash.
        {"C:\\\x81\x2D\\x.TPM", {"C:\\\x81\x2D\\x.TPM"}, "C:\\\x81\x2D\\x.TPM", 0, 0},
    };
    const Cp932CodePage codePage;
    for (const FindCase& c : cases) {
        FakeFiles files;
        files.files = c.files;
        const StartOptions found = findStartFile(c.commandLine, codePage, files);
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(found.path, c.path);
        EXPECT_EQ(found.autoRunMode, c.autoRunMode);
        EXPECT_EQ(found.randomMode, c.randomMode);
        EXPECT_FALSE(found.emptyCommandLine);
    }
}

TEST(StartFileTest, EmptyCommandLineAsksNothing) {
    FakeFiles files;
    EXPECT_TRUE(findStartFile("", Cp932CodePage(), files).emptyCommandLine);
    EXPECT_TRUE(files.asked.empty());
}

}  // namespace
}  // namespace tappling
