#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/MacroFile.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"

namespace tappling {
namespace {

// Each test works in its own folder under the prefix's temp folder, removed afterwards.
class Win32ModelFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        dir_ = std::string(temp) + "tappling_model_" + std::to_string(GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((dir_ + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name != "." && name != "..") DeleteFileA((dir_ + "\\" + name).c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(dir_.c_str());
    }
    std::string path(const std::string& name) const { return dir_ + "\\" + name; }
    std::string contentOf(const std::string& file) {
        std::string error;
        auto in = files_.openForReading(file, error);
        if (!in) return "<missing>";
        std::string bytes(static_cast<size_t>(in->size()), '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            const int64_t got = in->read(bytes.data() + done, bytes.size() - done);
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        return bytes.substr(0, done);
    }
    int entriesIn() {
        int count = 0;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((dir_ + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return 0;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") ++count;
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return count;
    }

    std::string dir_;
    Win32FileAccess files_;
    Win32CodePage codePage_;
};

TEST(Win32CodePageTest, TheHarnessRunsWithCodePage932) {
    EXPECT_EQ(GetACP(), 932u);
    Win32CodePage codePage;
    EXPECT_TRUE(codePage.isLeadByte(0x81));
    EXPECT_TRUE(codePage.isLeadByte(0xE0));
    EXPECT_FALSE(codePage.isLeadByte('A'));
    EXPECT_FALSE(codePage.isLeadByte(0xA1));  // half-width katakana is single-byte
    EXPECT_EQ(codePage.fromUtf16(u"■インポート■"), "\x81\xA1\x83\x43\x83\x93\x83\x7C\x81\x5B\x83\x67\x81\xA1");
    EXPECT_EQ(codePage.fromUtf16(u"表A"), "\x95\x5C" "A");
    EXPECT_EQ(codePage.fromUtf16(u""), "");
    EXPECT_EQ(ansiToWide("\x95\x5C"), L"表");
    EXPECT_EQ(wideToUtf8(L"表"), "表");
}

// The exact forms refuse what the plain ones would replace: a character code page 932
// lacks, a best-fit look-alike, bytes that are not characters.
TEST(Win32TextTest, ExactConversionsRefuseWhatTheCodePageCannotHold) {
    struct Case {
        std::wstring wide;
        std::optional<std::string> ansi;
    };
    const Case cases[] = {
        {L"", std::string()},
        {L"C:\\表\\a.TPM", std::string("C:\\\x95\x5C\\a.TPM")},
        {L"\uFF71", std::string("\xB1")},  // half-width katakana
        {L"\u00E9", std::nullopt},          // no place in 932; best fit would give 'e'
        {L"\U0001F600", std::nullopt},
        {L"ok\uAC00", std::nullopt},        // Hangul
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wideToAnsiExactly(c.wide), c.ansi) << wideToUtf8(c.wide);
        EXPECT_EQ(fitsAnsiCodePage(c.wide), c.ansi.has_value()) << wideToUtf8(c.wide);
        if (c.ansi) {
            EXPECT_EQ(ansiToWideExactly(*c.ansi), std::optional<std::wstring>(c.wide));
        }
    }
    EXPECT_EQ(ansiToWideExactly("\x81"), std::nullopt);  // a lead byte alone
    EXPECT_EQ(utf8ToWideExactly("\xFF"), std::nullopt);
    EXPECT_EQ(utf8ToWide("表"), L"表");
}

TEST_F(Win32ModelFiles, SaveAndLoadRoundTrip) {
    Macro macro;
    macro.loopEnabled = 1;
    macro.loopLimited = 1;
    macro.loopCount = 12;
    ActionRecord r;
    r.comment = codePage_.fromUtf16(u"日本語のコメント");
    r.inputText = std::string(300, 'x');
    r.trueJump = -4;
    r.reserved2 = 77;
    macro.actions.append(r);
    const std::string file = path("round.TPM");
    const WriteOutcome written = writeMacroFile(macro, file, files_);
    ASSERT_TRUE(written.ok) << written.errorText;
    EXPECT_EQ(entriesIn(), 1);  // no temporary file left behind
    Macro back;
    const ReadOutcome outcome = readMacroFile(back, file, ReadMode::Open, files_, codePage_);
    ASSERT_EQ(outcome.result, ReadResult::Loaded) << outcome.errorText;
    EXPECT_EQ(back.loopCount, 12);
    ASSERT_EQ(back.actions.size(), 1);
    EXPECT_EQ(back.actions.at(0), r);
}

TEST_F(Win32ModelFiles, SaveReplacesAnExistingFileWhole) {
    const std::string file = path("replace.TPM");
    std::string error;
    ASSERT_TRUE(files_.writeAtomically(file, std::string(10000, 'a'), error)) << error;
    ASSERT_TRUE(files_.writeAtomically(file, "short", error)) << error;
    EXPECT_EQ(contentOf(file), "short");
    EXPECT_EQ(entriesIn(), 1);
}

TEST_F(Win32ModelFiles, FailedSaveKeepsTheOldFile) {
    const std::string file = path("locked.TPM");
    std::string error;
    ASSERT_TRUE(files_.writeAtomically(file, "old", error));
    // Held open without sharing: the replace cannot happen.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool ok = files_.writeAtomically(file, "new content", error);
    CloseHandle(held);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(contentOf(file), "old");
    EXPECT_EQ(entriesIn(), 1);  // the temporary file is gone again
}

TEST_F(Win32ModelFiles, SaveIntoAMissingFolderReportsTheError) {
    Macro macro;
    const WriteOutcome outcome = writeMacroFile(macro, path("no\\such\\folder.TPM"), files_);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.errorText.find("ファイルを保存できません。"), std::string::npos);
}

TEST_F(Win32ModelFiles, MacroFileExistsFollowsTheOnDiskName) {
    std::string error;
    ASSERT_TRUE(files_.writeAtomically(path("a.tpm"), "x", error));
    ASSERT_TRUE(files_.writeAtomically(path("b.TPM"), "x", error));
    EXPECT_FALSE(macroFileExists(path("a.tpm"), files_, codePage_));
    EXPECT_FALSE(macroFileExists(path("a.TPM"), files_, codePage_));
    EXPECT_TRUE(macroFileExists(path("b.TPM"), files_, codePage_));
    EXPECT_TRUE(macroFileExists(path("B.tpm"), files_, codePage_));
    EXPECT_FALSE(macroFileExists(path("c.TPM"), files_, codePage_));

    char previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str()));
    const bool relative = macroFileExists("b.TPM", files_, codePage_);
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(relative);
}

TEST_F(Win32ModelFiles, JapaneseFileName) {
    const std::string file = path(codePage_.fromUtf16(u"表示テスト.TPM"));
    Macro macro;
    ASSERT_TRUE(writeMacroFile(macro, file, files_).ok);
    EXPECT_TRUE(macroFileExists(file, files_, codePage_));
    Macro back;
    EXPECT_EQ(readMacroFile(back, file, ReadMode::Import, files_, codePage_).result, ReadResult::Loaded);
    EXPECT_EQ(back.actions.size(), 1);
}

TEST_F(Win32ModelFiles, TruncatedFileIsAReadError) {
    std::string error;
    const std::string file = path("short.TPM");
    ASSERT_TRUE(files_.writeAtomically(file, std::string("\x0BMouseAction\xB2\x04", 14), error));
    Macro macro;
    const ReadOutcome outcome = readMacroFile(macro, file, ReadMode::Open, files_, codePage_);
    EXPECT_EQ(outcome.result, ReadResult::ReadError);
    EXPECT_FALSE(outcome.errorText.empty());
}

}  // namespace
}  // namespace tappling
