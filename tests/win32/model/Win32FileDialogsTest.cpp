#include "model/win32/Win32FileDialogs.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "model/win32/Win32CodePage.h"

namespace tappling {
namespace {

// Plays the user on the dialog with the given title from a second thread: types a name
// (or cancels when it is empty) and reports whether the dialog appeared at all.
class DialogDriver {
public:
    DialogDriver(std::wstring title, std::wstring typed) : title_(std::move(title)), typed_(std::move(typed)) {
        thread_ = std::thread([this] { run(); });
    }
    ~DialogDriver() { thread_.join(); }
    bool found() const { return found_; }

private:
    void run() {
        for (int attempt = 0; attempt < 400; ++attempt) {  // at most 20 s
            HWND dialog = FindWindowW(L"#32770", title_.empty() ? nullptr : title_.c_str());  // "": any title
            if (dialog) {
                found_ = true;
                Sleep(200);  // let the dialog finish its start-up
                if (typed_.empty()) {
                    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                } else {
                    if (!SetDlgItemTextW(dialog, cmb13, typed_.c_str())) SetDlgItemTextW(dialog, edt1, typed_.c_str());
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                }
                return;
            }
            Sleep(50);
        }
    }
    std::wstring title_;
    std::wstring typed_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};

std::string tempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

TEST(Win32FileDialogsTest, OpenDialogHasItsTitleAndCancelGivesNothing) {
    Win32FileDialogs dialogs;
    std::optional<ChosenFile> chosen;
    {
        DialogDriver driver(L"TPMファイルの読み込み", L"");
        chosen = dialogs.choose(ChooseMode::Open, "");
        EXPECT_TRUE(driver.found());
    }
    EXPECT_FALSE(chosen.has_value());
}

TEST(Win32FileDialogsTest, SaveDialogAddsTheDefaultExtensionAndReturnsAnsi) {
    Win32FileDialogs dialogs;
    const std::wstring folder = ansiToWide(tempFolder());
    std::optional<ChosenFile> chosen;
    {
        DialogDriver driver(L"TPMファイルに名前をつけて保存", folder + L"保存テスト");
        chosen = dialogs.choose(ChooseMode::Save, "");
        EXPECT_TRUE(driver.found());
    }
    ASSERT_TRUE(chosen.has_value());
    Win32CodePage codePage;
    // The system may spell the added extension in either case; chooseMacroFile mends it.
    const std::string expected = tempFolder() + codePage.fromUtf16(u"保存テスト.TPM");
    EXPECT_TRUE(chosen->fitsCodePage);
    ASSERT_EQ(chosen->path.size(), expected.size());
    EXPECT_EQ(chosen->path.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, chosen->path.c_str() + expected.size() - 3, 3, "TPM",
                             3),
              CSTR_EQUAL);
}

// A best-fit look-alike ("cafe") could name another existing file: the name is marked.
TEST(Win32FileDialogsTest, NameTheCodePageCannotHoldIsMarked) {
    Win32FileDialogs dialogs;
    std::optional<ChosenFile> chosen;
    {
        DialogDriver driver(L"TPMファイルに名前をつけて保存", ansiToWide(tempFolder()) + L"caf\u00e9.TPM");
        chosen = dialogs.choose(ChooseMode::Save, "");
    }
    ASSERT_TRUE(chosen.has_value());
    EXPECT_FALSE(chosen->fitsCodePage);
}

// The action editor's "参照": any existing file, taken as typed, no extension added.
TEST(Win32FileDialogsTest, AnyFileOpensAFileOfAnyType) {
    const std::wstring path = ansiToWide(tempFolder()) + L"参照テスト.bin";
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Win32FileDialogs dialogs;
    std::optional<ChosenFile> chosen;
    {
        DialogDriver driver(L"", path);
        chosen = dialogs.choose(ChooseMode::AnyFile, "");
        EXPECT_TRUE(driver.found());
    }
    DeleteFileW(path.c_str());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(ansiToWide(chosen->path), path);
}

class SilentPrompter final : public Prompter {
public:
    int informed = 0;
    void inform(std::string_view) override { ++informed; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    bool askOkCancel(std::string_view) override { return false; }
};

TEST(Win32FileDialogsTest, ChooserSpellsTheExtensionInCapitals) {
    Win32FileDialogs dialogs;
    SilentPrompter prompter;
    std::string path;
    int result = 0;
    {
        DialogDriver driver(L"TPMファイルに名前をつけて保存", ansiToWide(tempFolder()) + L"name.tpm");
        result = chooseMacroFile(dialogs, prompter, ChooseMode::Save, path);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(path, tempFolder() + "name.TPM");
    EXPECT_EQ(prompter.informed, 0);
}

}  // namespace
}  // namespace tappling
