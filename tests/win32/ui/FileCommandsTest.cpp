// The main window's file, help, version and shortcut commands wired to the real window, once
// per path (the rules are unit-tested): scripted prompts and chooser, real files.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/win32/ShellLink.h"
#include "model/MacroFile.h"
#include "model/win32/Win32FileAccess.h"
#include "resources/resource.h"
#include "ui/logic/ProductLinks.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/MainDialog.h"
#include "ui/UiFakes.h"
#include "win32/Win32Text.h"

namespace tappling {
namespace {

struct RecordingOpener final : DocumentOpener {
    std::vector<std::wstring> opened;
    void open(const std::wstring& target) override { opened.push_back(target); }
};

std::wstring windowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

std::string temporaryFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "tappling-files-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void pump() {  // 50 ms of the thread's messages
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 50; Sleep(1))
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Macro macroOf(int rows) {
    Macro macro;
    for (int i = 0; i < rows; ++i) macro.actions.append(makeDefaultRecord());
    return macro;
}

// Runs the command that shows the modal version dialog; true when it showed and OK closed it.
bool versionDialogShownBy(const std::function<void()>& command) {
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        for (int i = 0; i < 500 && !closed; ++i, Sleep(10)) {
            HWND about = FindWindowW(L"#32770", L"ﾊﾞｰｼﾞｮﾝ情報");
            if (about && IsWindowVisible(about)) closed = PostMessageW(about, WM_COMMAND, IDOK, 0) != 0;
        }
    });
    command();
    closer.join();
    return closed;
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() : window(GetModuleHandleW(nullptr), fakes.platform, {&prompter, nullptr, &dialogs, &opener}) {}
    ~FileCommandsTest() override {
        if (window.hwnd() != nullptr) window.end(IDCANCEL);
        pump();
    }
    void show(Macro macro, const std::string& path, int32_t modified) {
        window.player().macro = std::move(macro);
        window.currentFilePath = path;
        ASSERT_NE(window.createModeless(), nullptr);
        MacroPlayerTestAccess::setModified(window.player(), modified);
        pump();
    }
    void command(int id) { SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    int rows() { return ListView_GetItemCount(window.list()); }
    std::wstring caption() { return windowText(window.hwnd()); }
    // A real drop of these ANSI paths, as the shell builds it.
    void drop(const std::vector<std::string>& paths) {
        size_t chars = 1;
        for (const auto& p : paths) chars += p.size() + 1;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars);
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        char* names = reinterpret_cast<char*>(header + 1);
        for (const auto& p : paths) names = std::copy(p.begin(), p.end(), names) + 1;
        GlobalUnlock(memory);
        SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }

    std::string folder = temporaryFolder();
    Win32FileAccess files;
    TestPlatform fakes;
    TestPrompter prompter;
    TestFileDialogs dialogs;
    RecordingOpener opener;
    MainDialog window;
};

TEST(AboutDialogTest, ControlsOfTheTemplateAndTheLinks) {
    RecordingOpener opener;
    AboutDialog about(GetModuleHandleW(nullptr), opener);
    HWND hwnd = about.createModeless();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(windowText(hwnd), L"ﾊﾞｰｼﾞｮﾝ情報");
    auto dialogRect = [&](int x, int y, int w, int h) {
        RECT r{x, y, w, h};  // the dialog manager converts origin and size separately
        MapDialogRect(hwnd, &r);
        return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    };
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, dialogRect(0, 0, 206, 137).right);
    struct Expected { int id; const wchar_t* className; std::wstring text; RECT rect; };
    const Expected controls[] = {
        {IDC_ABOUT_VERSION_TEXT, L"Static", L"Tappling Version 2.00", dialogRect(42, 15, 142, 8)},
        {IDC_ABOUT_WEB, L"Button", utf8ToWide(kProductWebPage), dialogRect(58, 50, 132, 13)},
        {IDC_ABOUT_MAIL, L"Button", utf8ToWide(kSupportMailAddress), dialogRect(58, 64, 132, 13)},
        {IDOK, L"Button", L"OK", dialogRect(79, 116, 50, 14)},
    };
    for (const Expected& e : controls) {
        HWND control = GetDlgItem(hwnd, e.id);
        ASSERT_NE(control, nullptr) << e.id;
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        EXPECT_EQ(_wcsicmp(className, e.className), 0) << e.id;
        EXPECT_EQ(windowText(control), e.text) << e.id;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.rect.left) << e.id;
        EXPECT_EQ(r.top, e.rect.top) << e.id;
        EXPECT_EQ(r.right, e.rect.right) << e.id;
    }
    int icons = 0, lines = 0, statics = 0;  // the controls without an ID
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK;
        if (GetDlgCtrlID(child) != -1 && GetDlgCtrlID(child) != 0xFFFF) continue;
        icons += style == SS_ICON;
        lines += style == SS_ETCHEDHORZ;
        statics += windowText(child) == L"開発元";
    }
    EXPECT_EQ(std::vector<int>({icons, lines, statics}), std::vector<int>({1, 2, 1}));
    SendMessageW(hwnd, WM_COMMAND, IDC_ABOUT_WEB, 0);
    SendMessageW(hwnd, WM_COMMAND, IDC_ABOUT_MAIL, 0);
    EXPECT_EQ(opener.opened, (std::vector<std::wstring>{utf8ToWide(kProductWebPage),
                                                        utf8ToWide(std::string("mailto:") + kSupportMailAddress +
                                                                   "?subject=Tappling Version 2.00 について質問(" +
                                                                   kMailSubjectNote + ")")}));
    about.end(IDOK);
}

TEST_F(FileCommandsTest, VersionFromMenuAndSystemMenuHelpBesideTheProgram) {
    show({}, "", 0);
    EXPECT_TRUE(versionDialogShownBy([&] { command(ID_HELP_VERSION); }));
    EXPECT_TRUE(versionDialogShownBy([&] { SendMessageW(window.hwnd(), WM_SYSCOMMAND, IDM_SYS_ABOUT, 0); }));
    command(ID_HELP_HELP);
    HELPINFO help{};
    help.cbSize = sizeof(help);
    SendMessageW(window.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring expected = std::wstring(program, wcsrchr(program, L'\\')) + L"\\main.html";
    EXPECT_EQ(opener.opened, (std::vector<std::wstring>{expected, expected}));
}

TEST_F(FileCommandsTest, NewAndDropAnswerTheSaveQuestion) {
    const std::string dropped = folder + "dropped.TPM", current = folder + "current.TPM";
    writeMacroFile(macroOf(3), dropped, files);
    show({}, "", 0);
    for (bool isDrop : {false, true}) {
        for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
            DeleteFileA(current.c_str());
            window.player().macro = macroOf(1);
            window.currentFilePath = current;
            window.refreshList();
            MacroPlayerTestAccess::setModified(window.player(), 1);
            prompter.answer = answer;
            dialogs.answer = current;
            isDrop ? drop({dropped, folder + "second.TPM"}) : command(ID_FILE_NEW);
            const bool cancelled = answer == Answer::Cancel;
            EXPECT_EQ(exists(current), answer == Answer::Yes) << isDrop;
            EXPECT_EQ(rows(), cancelled ? 1 : isDrop ? 3 : 0) << isDrop;
            EXPECT_EQ(window.player().modified(), cancelled ? 1 : 0) << isDrop;
            if (!cancelled) {
                EXPECT_EQ(caption(), isDrop ? L"Tappling dropped.TPM" : L"Tappling ") << isDrop;
            }
        }
    }
    EXPECT_EQ(dialogs.calls, 1);  // new knows the name; the drop always asks
    EXPECT_EQ(prompter.questions.size(), 6u);
}

TEST_F(FileCommandsTest, DroppedNameTheCodePageCannotHoldIsRefused) {
    writeMacroFile(macroOf(3), folder + "cafe.TPM", files);  // the best-fit look-alike exists
    show({}, "", 0);
    window.player().macro = macroOf(1);
    window.refreshList();
    const std::wstring path = ansiToWide(folder) + L"caf\u00e9.TPM";
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(path.begin(), path.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(memory);
    SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"このファイル名には使えない文字が含まれています。"});
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(prompter.questions.empty());
    DeleteFileA((folder + "cafe.TPM").c_str());
}

TEST_F(FileCommandsTest, OpenImportAndRestoreAfterUnreadableFiles) {
    const std::string other = folder + "other.TPM", v999 = folder + "v999.TPM";
    writeMacroFile(macroOf(2), other, files);
    std::string error, bytes = "\x0bMouseAction";
    for (int32_t v : {999, 0, 0, 1, 0}) bytes.append(reinterpret_cast<const char*>(&v), 4);
    ASSERT_TRUE(files.writeAtomically(v999, bytes, error));
    show(macroOf(3), folder + "a.TPM", 1);
    for (int id : {ID_FILE_OPEN, ID_FILE_IMPORT}) {
        dialogs.answer = v999;
        command(id);
        EXPECT_EQ(prompter.messages.back(), "対応していないバージョンです。");
        EXPECT_EQ(window.player().actions().size(), 3);
        EXPECT_EQ(rows(), 3);
        EXPECT_EQ(caption(), L"Tappling a.TPM");
        EXPECT_EQ(window.currentFilePath, folder + "a.TPM");
    }
    dialogs.answer = other;
    command(ID_FILE_IMPORT);
    EXPECT_EQ(rows(), 6);
    EXPECT_EQ(caption(), L"Tappling other.TPM");
    command(ID_FILE_OPEN);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(FileCommandsTest, FailingSaveSaysSoAndKeepsModified) {
    show(macroOf(1), "", 1);
    dialogs.answer = folder + "no such folder\\x.TPM";
    command(ID_FILE_SAVE_AS);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("ファイルを保存できません。"), std::string::npos);
    EXPECT_EQ(window.player().modified(), 1);
    EXPECT_EQ(window.currentFilePath, "");
}

TEST_F(FileCommandsTest, ShortcutCommandsAskAndWriteOnTheDesktop) {
    show(macroOf(1), "", 0);
    command(ID_FILE_SHORTCUT_AUTO);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"ファイル名が取得できません。"});
    window.currentFilePath = folder + "work.TPM";
    const std::optional<std::string> desktop = desktopFolderPath();
    ASSERT_TRUE(desktop);
    const std::string link = *desktop + "\\work" + wideToAnsi(L"(自動起動)") + ".lnk";
    DeleteFileA(link.c_str());
    command(ID_FILE_SHORTCUT_AUTO);  // cancelled
    EXPECT_FALSE(exists(link));
    prompter.ok = true;
    command(ID_FILE_SHORTCUT_AUTO);
    EXPECT_TRUE(exists(link));
    EXPECT_EQ(prompter.questions.back(), "デスクトップにショートカット（自動起動）を作成します。よろしいですか");
    DeleteFileA(link.c_str());
}

TEST(ShellLinkTest, WrittenLinkReadsBackThroughTheShell) {
    const std::string link = temporaryFolder() + wideToAnsi(L"a.b（ランダム自動起動）.lnk");
    for (int i = 0; i < 2; ++i)  // the second replaces the first
        ASSERT_TRUE(writeShellLink(link, "", "C:\\my docs\\a.b.TPM -NODR", "C:\\Tool\\Tappling.exe"));
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&shellLink))));
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    EXPECT_TRUE(SUCCEEDED(file->Load(ansiToWide(link).c_str(), STGM_READ)));
    char target[MAX_PATH] = {}, arguments[MAX_PATH] = {};
    shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    shellLink->GetArguments(arguments, MAX_PATH);
    EXPECT_STREQ(target, "C:\\Tool\\Tappling.exe");
    EXPECT_STREQ(arguments, "C:\\my docs\\a.b.TPM -NODR");
    file->Release();
    shellLink->Release();
    CoUninitialize();
    DeleteFileA(link.c_str());
}

}  // namespace
}  // namespace tappling
