// Clipboard text lands as CF_TEXT bytes exactly as given.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "engine/win32/Win32Clipboard.h"

namespace tappling {
namespace {

std::string readClipboardText() {
    if (!OpenClipboard(nullptr)) return "<not opened>";
    std::string text = "<no text>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST(Win32ClipboardTest, HoldsTheBytesAsCfText) {
    Win32Clipboard clipboard;
    const std::string cases[] = {
        "hello",
        "\x93\xfa\x96\x7b\x8c\xea",          // 日本語 in code page 932
        "\x83\x5c\x83\x74\x83\x67 a\\b",     // ソフト: trail byte 0x5C is not a backslash
        "line1\r\nline2",
        "",
    };
    for (const auto& text : cases) {
        ASSERT_TRUE(clipboard.setText(text));
        EXPECT_EQ(readClipboardText(), text);
    }
}

TEST(Win32ClipboardTest, FalseWhileAnotherThreadHoldsIt) {
    std::atomic<int> stage{0};
    std::thread holder([&] {
        // Held by a window of another thread, as another program would.
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (owner && OpenClipboard(owner)) {
            stage = 1;
            while (stage != 2) Sleep(1);
            CloseClipboard();
        } else {
            stage = -1;
        }
        if (owner) DestroyWindow(owner);
    });
    while (stage == 0) Sleep(1);
    ASSERT_EQ(stage.load(), 1);
    Win32Clipboard clipboard;
    EXPECT_FALSE(clipboard.setText("never"));
    stage = 2;
    holder.join();
    EXPECT_TRUE(clipboard.setText("after"));
    EXPECT_EQ(readClipboardText(), "after");
}

}  // namespace
}  // namespace tappling
