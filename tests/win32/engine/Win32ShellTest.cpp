// The shell opens a program from a worker thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <thread>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Shell.h"

namespace tappling {
namespace {

// Visible top-level windows of other processes (the console of the opened batch file).
int foreignWindows() {
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != GetCurrentProcessId() && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string tempDirectory() {
    char buf[MAX_PATH];
    const DWORD n = GetTempPathA(MAX_PATH, buf);
    return std::string(buf, n);
}

// Opens script (ANSI path) from a worker thread and waits for it to write done.
void expectOpened(const std::string& script, const std::string& done, bool maximized) {
    DeleteFileA(done.c_str());
    {
        std::ofstream out(script, std::ios::binary);
        ASSERT_TRUE(out.good()) << script;
        out << "@echo opened> \"" << done << "\"\r\n";
    }
    Win32Shell shell;
    std::thread worker([&] { shell.open(script, maximized); });
    worker.join();
    const bool ran = test::pumpUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                     30000);
    EXPECT_TRUE(ran) << script;
    // Let the batch's console go before later tests read the screen.
    test::pumpUntil([] { return foreignWindows() == 0; }, 15000);
    DeleteFileA(done.c_str());
    DeleteFileA(script.c_str());
}

TEST(Win32ShellTest, OpensABatchFileFromAWorkerThread) {
    const std::string dir = tempDirectory();
    expectOpened(dir + "tappling_shell_test.bat", dir + "tappling_shell_done.txt", false);
}

TEST(Win32ShellTest, OpensAPathInTheAnsiCodePage) {
    // A folder named テスト (code page 932 bytes) holding the script, opened maximized.
    const std::string folder = tempDirectory() + "\x83\x65\x83\x58\x83\x67";
    CreateDirectoryA(folder.c_str(), nullptr);
    expectOpened(folder + "\\tappling_shell_test.bat", tempDirectory() + "tappling_shell_done2.txt", true);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tappling
