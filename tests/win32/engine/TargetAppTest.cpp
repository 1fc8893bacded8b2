// The target app logs what the real input layer sends it: clicks at screen points, keys,
// and a clipboard paste; its painted dot is readable by the screen layer.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Clipboard.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32Screen.h"

namespace tappling {
namespace {

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

// Read while the app still has the file open for writing.
std::string readAll(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(file, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
    CloseHandle(file);
    return text;
}

// The target app as a child process, ended by its own handle.
class TargetApp {
public:
    explicit TargetApp(const std::wstring& arguments) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        log_ = std::wstring(temp) + L"tappling_target_log.txt";
        DeleteFileW(log_.c_str());
        std::wstring command = L"\"" + besideThisProgram(L"TargetApp.exe") + L"\" \"" + log_ + L"\" " + arguments;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    }
    ~TargetApp() {
        if (started_) {
            TerminateProcess(pi_.hProcess, 0);
            WaitForSingleObject(pi_.hProcess, 5000);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        DeleteFileW(log_.c_str());
    }
    TargetApp(const TargetApp&) = delete;
    TargetApp& operator=(const TargetApp&) = delete;

    bool started() const { return started_; }
    std::string log() const { return readAll(log_); }
    bool waitForLog(const std::string& text, DWORD timeoutMs = 10000) const {
        return test::pumpUntil([&] { return log().find(text) != std::string::npos; }, timeoutMs);
    }

private:
    std::wstring log_;
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

TEST(TargetAppTest, LogsClicksKeysAndPasteAndShowsItsDot) {
    TargetApp app(L"300 200 320 240 --dot 50 40 0x0000FF --topmost");
    ASSERT_TRUE(app.started());
    ASSERT_TRUE(app.waitForLog("ready", 30000)) << app.log();
    EXPECT_NE(app.log().find(" 300 200\n"), std::string::npos) << app.log();

    Win32Screen screen;
    EXPECT_TRUE(test::pumpUntil([&] { return screen.pixelAt(350, 240) == std::optional<uint32_t>(0x0000FF); }));

    Win32Input input;
    input.setCursorPos(320, 230);
    input.mouseButton(kLeftDown);
    input.mouseButton(kLeftUp);
    ASSERT_TRUE(app.waitForLog("up L 320 230")) << app.log();
    EXPECT_NE(app.log().find("down L 320 230"), std::string::npos);

    input.key(kVkA, kKeyDown);
    input.key(kVkA, KEYEVENTF_KEYUP);
    EXPECT_TRUE(app.waitForLog("key 65")) << app.log();

    Win32Clipboard clipboard;
    ASSERT_TRUE(clipboard.setText("\x93\xfa\x96\x7b"));  // 日本 in code page 932
    input.key(kVkControl, kExtendedKey);
    input.key(kVkV, kKeyDown);
    input.key(kVkV, KEYEVENTF_KEYUP);
    input.key(kVkControl, kExtendedKeyUp);
    EXPECT_TRUE(app.waitForLog("edit \xE6\x97\xA5\xE6\x9C\xAC")) << app.log();
}

}  // namespace
}  // namespace tappling
