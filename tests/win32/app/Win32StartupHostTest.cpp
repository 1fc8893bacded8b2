#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "app/win32/Win32StartupHost.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"

namespace tappling {
namespace {

std::string tempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

class Win32StartupHostTest : public ::testing::Test {
protected:
    Win32Platform platform;
    Win32CodePage codePage;
    Win32FileAccess files;
    MainDialog window{GetModuleHandleW(nullptr), platform.platform()};
    Win32StartupHost host{window, files, codePage};
};

TEST_F(Win32StartupHostTest, PointerComesBackWhereItWas) {
    const CursorPosition before = host.cursorPosition().value();
    host.setCursorPosition({before.x + 37, before.y + 21});
    const CursorPosition moved = host.cursorPosition().value();
    EXPECT_EQ(moved.x, before.x + 37);
    EXPECT_EQ(moved.y, before.y + 21);
    host.setCursorPosition(before);
    EXPECT_EQ(host.cursorPosition()->x, before.x);
    EXPECT_EQ(host.cursorPosition()->y, before.y);
}

TEST_F(Win32StartupHostTest, LoadsIntoTheWindowsMacro) {
    const std::string path = tempFile("StartupHostTest.TPM");
    {
        std::ofstream out(path, std::ios::binary);
        const char header[] = "\x0bMouseAction\xb2\x04\0\0\0\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0";
        out.write(header, sizeof header - 1);
    }
    window.player().macro.actions.append(makeDefaultRecord());
    const ReadOutcome outcome = host.loadMacro(path);
    EXPECT_EQ(outcome.result, ReadResult::Loaded);
    EXPECT_EQ(window.player().macro.actions.size(), 0);
    DeleteFileA(path.c_str());
}

TEST_F(Win32StartupHostTest, OnlyAnExistingFileIsAFile) {
    const std::string path = tempFile("StartupHost-isFile.TPM");
    std::ofstream(path, std::ios::binary) << "x";
    EXPECT_TRUE(host.isFile(path));
    EXPECT_FALSE(host.isFile(tempFile("")));  // the folder itself
    EXPECT_FALSE(host.isFile(tempFile("no-such-file.TPM")));
    DeleteFileA(path.c_str());
}

TEST_F(Win32StartupHostTest, MissingFileIsNotAMacroFile) {
    EXPECT_EQ(host.loadMacro(tempFile("no-such-file.TPM")).result, ReadResult::FormatNotSupported);
}

}  // namespace
}  // namespace tappling
