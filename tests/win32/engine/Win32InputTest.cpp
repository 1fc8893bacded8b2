// The real input layer moves the pointer and delivers buttons and keys to a window.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "engine/win32/Win32KeyState.h"

namespace tappling {
namespace {

using test::pumpUntil;
using test::TestWindow;

constexpr uint32_t kKeyUp = KEYEVENTF_KEYUP;

class Win32InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.hwnd(), nullptr);
        window.activate();
        window.clear();
    }
    void clickAt(int x, int y, uint32_t down, uint32_t up) {
        input.setCursorPos(x, y);
        input.clipCursorFree();
        input.mouseButton(down);
        input.mouseButton(up);
    }
    size_t count(UINT message) const {
        size_t n = 0;
        for (const auto& m : window.messages()) n += m.message == message;
        return n;
    }

    TestWindow window{120, 90, 300, 200};
    Win32Input input;
};

TEST_F(Win32InputTest, SetCursorPosMovesThePointer) {
    input.setCursorPos(150, 130);
    EXPECT_EQ(input.cursorPos(), (std::optional<Point>{{150, 130}}));
    input.setCursorPos(301, 177);
    EXPECT_EQ(input.cursorPos(), (std::optional<Point>{{301, 177}}));
}

struct ButtonCase {
    uint32_t down, up;
    UINT downMessage, upMessage;
};

TEST_F(Win32InputTest, ButtonTransitionsArriveAtThePointer) {
    const ButtonCase cases[] = {{kLeftDown, kLeftUp, WM_LBUTTONDOWN, WM_LBUTTONUP},
                                {kRightDown, kRightUp, WM_RBUTTONDOWN, WM_RBUTTONUP}};
    for (const auto& c : cases) {
        window.clear();
        clickAt(120 + 40, 90 + 25, c.down, c.up);
        ASSERT_TRUE(pumpUntil([&] { return window.received(c.upMessage); })) << c.downMessage;
        ASSERT_GE(window.messages().size(), 2u);
        EXPECT_EQ(window.messages()[0].message, c.downMessage);
        EXPECT_EQ(window.messages()[0].client.x, 40);
        EXPECT_EQ(window.messages()[0].client.y, 25);
        EXPECT_EQ(window.messages().back().message, c.upMessage);
        // Keep the next click from pairing with this one into a double click.
        test::pumpFor(GetDoubleClickTime() + 50);
    }
}

TEST_F(Win32InputTest, TwoQuickClicksMakeADoubleClick) {
    clickAt(200, 150, kLeftDown, kLeftUp);
    clickAt(200, 150, kLeftDown, kLeftUp);
    ASSERT_TRUE(pumpUntil([&] { return count(WM_LBUTTONUP) == 2; }));
    EXPECT_EQ(count(WM_LBUTTONDBLCLK), 1u);
    EXPECT_EQ(count(WM_LBUTTONDOWN), 1u);
    test::pumpFor(GetDoubleClickTime() + 50);
}

TEST_F(Win32InputTest, KeysReachTheFocusedWindow) {
    const uint8_t keys[] = {kVkA, kVkReturn, kVkTab, kVkLeft, kVkDelete};
    for (uint8_t vk : keys) {
        window.clear();
        input.key(vk, kKeyDown);
        input.key(vk, kKeyUp);
        ASSERT_TRUE(pumpUntil([&] { return window.received(WM_KEYUP); })) << int(vk);
        ASSERT_FALSE(window.messages().empty());
        EXPECT_EQ(window.messages()[0].message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_EQ(window.messages()[0].wParam, vk);
    }
}

TEST_F(Win32InputTest, CtrlWithTheExtendedFlagsComesDownAndUp) {
    Win32KeyState keys;
    input.key(kVkControl, kExtendedKey);
    ASSERT_TRUE(pumpUntil([&] { return window.received(WM_KEYDOWN); }));
    EXPECT_NE(keys.asyncKeyState(kVkControl) & 0x8000, 0);
    input.key(kVkControl, kExtendedKeyUp);
    ASSERT_TRUE(pumpUntil([&] { return window.received(WM_KEYUP); }));
    EXPECT_EQ(keys.asyncKeyState(kVkControl) & 0x8000, 0);
}

}  // namespace
}  // namespace tappling
