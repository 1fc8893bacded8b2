#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroFile.h"

namespace tappling {
namespace {

struct ExistsCase {
    const char* onDisk;  // full path as stored
    const char* asked;
    bool exists;
};

class MacroFileExists : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(MacroFileExists, NameRuleAndFullPathCompare) {
    Cp932CodePage codePage;
    FakeFileAccess files;
    files.put(GetParam().onDisk, "x");
    EXPECT_EQ(macroFileExists(GetParam().asked, files, codePage), GetParam().exists)
        << GetParam().onDisk << " / " << GetParam().asked;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MacroFileExists,
    ::testing::Values(
        ExistsCase{"C:\\work\\a.TPM", "C:\\work\\a.TPM", true},
        ExistsCase{"C:\\work\\a.TPM", "c:\\Work\\A.tpm", true},        // the path's case does not matter
        ExistsCase{"C:\\work\\a.tpm", "C:\\work\\a.TPM", false},       // the on-disk name must end in "TPM"
        ExistsCase{"C:\\work\\a.Tpm", "C:\\work\\a.TPM", false},
        ExistsCase{"C:\\work\\aTPM", "C:\\work\\aTPM", true},          // three characters, not an extension
        ExistsCase{"C:\\work\\a.TPM", "a.TPM", false},                 // relative paths never match
        ExistsCase{"C:\\work\\a.TPM", "C:\\work\\b.TPM", false},
        ExistsCase{"C:\\work\\a.TPM", "C:\\other\\a.TPM", false},
        ExistsCase{"C:\\a.TPM", "C:\\a.TPM", true},                    // a drive's root folder
        ExistsCase{"C:\\work\\\x95\x5CTPM", "C:\\work\\\x95\x5CTPM", true},
        ExistsCase{"C:\\work\\x\x83TPM", "C:\\work\\x\x83TPM", false},  // 'T' is the trail byte of 0x83 0x54
        ExistsCase{"C:\\work\\\x95\x5C.TPM", "C:\\work\\\x95\x5C.tpm", true},
        ExistsCase{"C:\\work\\PM", "C:\\work\\PM", false}));

TEST(MacroFileExistsDots, DotEntriesAreSkipped) {
    class DotsOnly final : public FileAccess {
    public:
        DirectorySearch search(const std::string&) override { return {"C:\\", {".", "..", "TPM"}}; }
        std::unique_ptr<InputFile> openForReading(const std::string&, std::string&) override { return nullptr; }
        bool writeAtomically(const std::string&, std::string_view, std::string&) override { return false; }
    } files;
    Cp932CodePage codePage;
    EXPECT_FALSE(macroFileExists("C:\\..", files, codePage));
    EXPECT_TRUE(macroFileExists("C:\\TPM", files, codePage));
}

}  // namespace
}  // namespace tappling
