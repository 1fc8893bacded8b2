#include "app/DesktopShortcut.h"

#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"
#include "ui/logic/HelpLinks.h"
#include "ui/logic/ProductLinks.h"

namespace tappling {
namespace {

TEST(DesktopShortcutTest, LinkNamesAndArguments) {
    Cp932CodePage cp;
    auto sjis = [&](std::u16string_view text) { return cp.fromUtf16(text); };
    struct Case { std::string macroPath, option, linkPath, arguments; };
    const Case cases[] = {
        {"C:\\m\\work.TPM", "-NODIG", "D:\\desk\\work" + sjis(u"(自動起動)") + ".lnk", "C:\\m\\work.TPM -NODIG"},
        {"C:\\m\\a.b.TPM", "-NODR", "D:\\desk\\a.b" + sjis(u"（ランダム自動起動）") + ".lnk", "C:\\m\\a.b.TPM -NODR"},
        {"C:\\my docs\\run it.TPM", "-ONDIG", "D:\\desk\\run it" + sjis(u"(通常起動)") + ".lnk",
         "C:\\my docs\\run it.TPM -ONDIG"},  // blanks stay unquoted
        {"C:\\a-b\\x-y.TPM", "-NODIG", "D:\\desk\\x-y" + sjis(u"(自動起動)") + ".lnk", "C:\\a-b\\x-y.TPM -NODIG"},
        {"C:\\m.d\\noext", "-NODIG", "D:\\desk\\" + sjis(u"(自動起動)") + ".lnk", "C:\\m.d\\noext -NODIG"},
        // "表" ends in the byte 0x5C: not a separator.
        {"C:\\" + sjis(u"表") + ".TPM", "-ONDIG", "D:\\desk\\" + sjis(u"表(通常起動)") + ".lnk",
         "C:\\" + sjis(u"表") + ".TPM -ONDIG"},
    };
    for (const Case& c : cases) {
        const auto mode = shortcutMode(c.option);
        ASSERT_TRUE(mode) << c.option;
        EXPECT_EQ(shortcutLinkPath("D:\\desk", c.macroPath, *mode, cp), c.linkPath) << c.macroPath;
        EXPECT_EQ(shortcutArguments(c.macroPath, mode->option), c.arguments) << c.macroPath;
    }
    EXPECT_FALSE(shortcutMode("-XYZ"));
    EXPECT_EQ(shortcutMode("-NODR")->confirmation,
              "デスクトップにショートカット（ランダム自動起動）を作成します。よろしいですか");
}

TEST(HelpLinksTest, HelpBesideTheProgramAndTheMailUrl) {
    Cp932CodePage cp;
    EXPECT_EQ(helpFilePath("C:\\Tool\\Tappling.exe", cp), "C:\\Tool\\main.html");
    EXPECT_EQ(helpFilePath("C:\\" + cp.fromUtf16(u"表") + "\\T.exe", cp), "C:\\" + cp.fromUtf16(u"表") + "\\main.html");
    EXPECT_EQ(helpFilePath("", cp), std::nullopt);  // the program's path could not be had
    EXPECT_EQ(helpFilePath("Tappling.exe", cp), std::nullopt);
    EXPECT_EQ(supportMailUrl(kSupportMailAddress, "Tappling Version 2.00", "x"),
              std::string("mailto:") + kSupportMailAddress + "?subject=Tappling Version 2.00 について質問(x)");
}

}  // namespace
}  // namespace tappling
