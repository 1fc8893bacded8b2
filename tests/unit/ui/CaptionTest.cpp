#include "ui/logic/Caption.h"

#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

struct NameCase {
    const char* path;
    const char* name;
};

class CaptionName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CaptionName, AfterLastSeparator) {
    Cp932CodePage cp;
    EXPECT_EQ(fileNameOf(GetParam().path, cp), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Paths, CaptionName,
                         ::testing::Values(NameCase{"", ""}, NameCase{"C:\\macro\\a.TPM", "a.TPM"},
                                           NameCase{"a.TPM", "a.TPM"}, NameCase{"C:\\dir\\", ""},
                                           // "表" is 0x95 0x5C: its trail byte is no separator
                                           NameCase{"C:\\\x95\x5C.TPM", "\x95\x5C.TPM"}));

TEST(Caption, TitleWithAndWithoutFile) {
    Cp932CodePage cp;
    EXPECT_EQ(titleText("", cp), "Tappling ");
    EXPECT_EQ(titleText("C:\\macro\\a.TPM", cp), "Tappling a.TPM");
    EXPECT_EQ(titleText("plain.TPM", cp), "Tappling plain.TPM");
}

TEST(Caption, ProgressForms) {
    Cp932CodePage cp;
    const char* path = "C:\\macro\\a.TPM";
    EXPECT_EQ(progressTitleText(3, 1, 1, 10, path, cp), " [ 3 / 10 ] Tappling a.TPM");
    EXPECT_EQ(progressTitleText(3, 1, 0, 10, path, cp), " [ 3 ] Tappling a.TPM");
    EXPECT_EQ(progressTitleText(3, 0, 1, 10, path, cp), "Tappling a.TPM");
    EXPECT_EQ(progressTitleText(0, 1, 1, -1, "", cp), " [ 0 / -1 ] Tappling ");
}

}  // namespace
}  // namespace tappling
