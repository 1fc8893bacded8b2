// The marker window: its shape, placement, drag, double click and keyboard ending.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "engine/TestWindow.h"
#include "engine/win32/Win32Input.h"
#include "resource.h"
#include "ui/dialogs/PositionMarker.h"
#include "win32/Handles.h"

namespace tappling {
namespace {

LPARAM clientPoint(int x, int y) { return MAKELPARAM(x, y); }

class PositionMarkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        marker.onEditRequest([this](int32_t index) { requests.push_back(index); });
        marker.showLocked(200, 150, 7);
        ASSERT_NE(marker.window(), nullptr);
        test::pumpFor(20);
    }
    RECT windowRect() const {
        RECT r{};
        GetWindowRect(marker.window(), &r);
        return r;
    }
    void send(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageW(marker.window(), message, wParam, lParam); }

    PositionMarker marker{GetModuleHandleW(nullptr)};
    std::vector<int32_t> requests;  // the action index of each edit request
};

TEST_F(PositionMarkerTest, ShowsAtTheTargetWithThePictureSize) {
    EXPECT_TRUE(IsWindowVisible(marker.window()));
    EXPECT_EQ(marker.current().x, 200);
    EXPECT_EQ(marker.current().y, 150);
    const RECT r = windowRect();
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 45);
    EXPECT_EQ(r.bottom - r.top, 34);
}

TEST_F(PositionMarkerTest, IsATopmostToolWindowWithoutOtherExtendedStyles) {
    const LONG_PTR ex = GetWindowLongPtrW(marker.window(), GWL_EXSTYLE);
    EXPECT_EQ(ex & ~static_cast<LONG_PTR>(WS_EX_TOPMOST), static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    EXPECT_NE(ex & WS_EX_TOPMOST, 0);
}

TEST_F(PositionMarkerTest, RegionLeavesTheTipPixelUncovered) {
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(marker.window(), region.get()), ERROR);
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {44, 0, false}, {44, 33, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(PtInRegion(region.get(), c.x, c.y) != FALSE, c.inside) << c.x << "," << c.y;
    }
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_LE(box.right, 45);
    EXPECT_LE(box.bottom, 34);
}

TEST_F(PositionMarkerTest, LockedDoubleClickRequestsEditAndHides) {
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, clientPoint(5, 8));
    EXPECT_TRUE(marker.editRequested());
    EXPECT_EQ(requests, std::vector<int32_t>{7});
    EXPECT_FALSE(IsWindowVisible(marker.window()));
    // Shown again at the unchanged target, the request is cleared.
    marker.showLockedAgain();
    EXPECT_EQ(marker.mode(), PositionMarker::Mode::Locked);
    EXPECT_FALSE(marker.editRequested());
    EXPECT_TRUE(IsWindowVisible(marker.window()));
    EXPECT_EQ(windowRect().left, 200);
    EXPECT_EQ(windowRect().top, 150);
}

TEST_F(PositionMarkerTest, UnlockedDoubleClickDoesNothing) {
    marker.setMode(PositionMarker::Mode::Draggable);
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, clientPoint(5, 8));
    send(WM_LBUTTONUP, 0, clientPoint(5, 8));
    EXPECT_FALSE(marker.editRequested());
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(IsWindowVisible(marker.window()));
}

TEST_F(PositionMarkerTest, DragMovesByTheMouseDistance) {
    marker.setMode(PositionMarker::Mode::Draggable);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(6, 6));
    send(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(16, 1));  // +10, -5
    send(WM_LBUTTONUP, 0, clientPoint(6, 6));             // the window followed the pointer
    EXPECT_EQ(marker.current().x, 210);
    EXPECT_EQ(marker.current().y, 145);
    EXPECT_EQ(windowRect().left, 210);
    EXPECT_EQ(windowRect().top, 145);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PositionMarkerTest, DragByNegativeClientCoordinates) {
    marker.setMode(PositionMarker::Mode::Draggable);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(2, 2));
    send(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(-18, -28));
    send(WM_LBUTTONUP, 0, clientPoint(2, 2));
    EXPECT_EQ(marker.current().x, 180);
    EXPECT_EQ(marker.current().y, 120);
}

TEST_F(PositionMarkerTest, PressAndReleaseWithoutMovingStays) {
    marker.setMode(PositionMarker::Mode::Draggable);
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(6, 6));
    send(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(6, 6));
    send(WM_LBUTTONUP, 0, clientPoint(6, 6));
    EXPECT_EQ(marker.current().x, 200);
    EXPECT_EQ(marker.current().y, 150);
    EXPECT_EQ(windowRect().left, 200);
}

TEST_F(PositionMarkerTest, LockedMarkerCannotBeDragged) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(6, 6));
    send(WM_MOUSEMOVE, MK_LBUTTON, clientPoint(30, 20));
    send(WM_LBUTTONUP, 0, clientPoint(30, 20));
    EXPECT_EQ(marker.current().x, 200);
    EXPECT_EQ(marker.current().y, 150);
    EXPECT_EQ(windowRect().left, 200);
}

TEST_F(PositionMarkerTest, MovingTheWindowUpdatesTheCurrentPoint) {
    SetWindowPos(marker.window(), nullptr, 321, 87, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(marker.current().x, 321);
    EXPECT_EQ(marker.current().y, 87);
    marker.hide();
    EXPECT_FALSE(IsWindowVisible(marker.window()));
    EXPECT_EQ(marker.current().x, 321);
}

TEST_F(PositionMarkerTest, EnterEscAndCloseHideWithoutEditRequest) {
    const UINT messages[][2] = {{WM_COMMAND, IDOK}, {WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}, {WM_KEYDOWN, VK_ESCAPE},
                                {WM_KEYDOWN, VK_RETURN}};
    for (const auto& m : messages) {
        marker.showLockedAgain();
        ASSERT_TRUE(IsWindowVisible(marker.window()));
        send(m[0], m[1], 0);
        EXPECT_FALSE(IsWindowVisible(marker.window())) << m[0] << " " << m[1];
        EXPECT_FALSE(marker.editRequested());
        EXPECT_NE(marker.window(), nullptr);
        EXPECT_TRUE(IsWindow(marker.window()));
    }
}

TEST_F(PositionMarkerTest, DragCursorOnlyOverTheUnlockedMarker) {
    const auto setCursor = [&] {
        return SendMessageW(marker.window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(marker.window()),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_EQ(setCursor(), FALSE);
    marker.setMode(PositionMarker::Mode::Draggable);
    EXPECT_EQ(setCursor(), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_MARKER_DRAG)));
}

// With real input: press on the marker, move the pointer, release.
TEST_F(PositionMarkerTest, DragWithRealInput) {
    marker.setMode(PositionMarker::Mode::Draggable);
    Win32Input input;
    input.setCursorPos(206, 156);
    test::pumpFor(50);
    input.mouseButton(kLeftDown);
    test::pumpFor(50);
    input.setCursorPos(216, 151);
    test::pumpFor(50);
    input.mouseButton(kLeftUp);
    test::pumpUntil([&] { return marker.current().x == 210 && GetCapture() == nullptr; }, 2000);
    EXPECT_EQ(marker.current().x, 210);
    EXPECT_EQ(marker.current().y, 145);
    test::pumpFor(GetDoubleClickTime() + 50);
}

}  // namespace
}  // namespace tappling
