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

TEST(Win32ShellTest, OpensABatchFileFromAWorkerThread) {
    const std::string dir = tempDirectory();
    const std::string done = dir + "tappling_shell_done.txt";
    const std::string script = dir + "tappling_shell_test.bat";
    DeleteFileA(done.c_str());
    {
        std::ofstream out(script, std::ios::binary);
        out << "@echo opened> \"" << done << "\"\r\n";
    }
    Win32Shell shell;
    std::thread worker([&] { shell.open(script, false); });
    worker.join();
    const bool ran = test::pumpUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                     30000);
    EXPECT_TRUE(ran);
    // Let the batch's console go before later tests read the screen.
    test::pumpUntil([] { return foreignWindows() == 0; }, 15000);
    DeleteFileA(done.c_str());
    DeleteFileA(script.c_str());
}

}  // namespace
}  // namespace tappling
