// The program on a display at 150 % (144 dpi), as most laptops are set. Run through
// tests/win32/high-dpi-prefix.sh, which gives these tests a Wine prefix of their own at
// 144 dpi with the dialog font mapped to an installed proportional font.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/MacroPlayer.h"
#include "engine/TestWindow.h"
#include "win32/Handles.h"
#include "engine/win32/Win32Platform.h"
#include "resources/resource.h"
#include "ui/UiFakes.h"
#include "ui/dialogs/PositionMarker.h"
#include "ui/main/MainDialog.h"

namespace tappling {
namespace {

constexpr UINT kDpi = 144;

class HighDpi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetDpiForSystem(), kDpi) << "run through tests/win32/high-dpi-prefix.sh";
        ASSERT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE)
            << "the manifest makes the program per-monitor DPI aware";
    }
};

std::wstring windowText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return std::to_wstring(static_cast<short>(GetDlgCtrlID(hwnd))) + L" \"" + text + L"\"";
}

// Every control shown in the window lies inside the window's client area and over no other control.
void expectControlsApart(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    std::vector<std::pair<HWND, RECT>> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrW(c, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        RECT inside{};
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(EqualRect(&inside, &r)) << windowText(c) << " reaches out of the window";
        for (const auto& [other, otherRect] : controls) {
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &r, &otherRect)) << windowText(c) << " over " << windowText(other);
        }
        controls.emplace_back(c, r);
    }
    EXPECT_GT(controls.size(), 5u);
}

INT_PTR CALLBACK templateOnly(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST_F(HighDpi, ListColumnsAndControlsOfTheMainWindowAndTheDialogs) {
    TestPlatform fakes;
    TestPrompter prompter;
    TestFileDialogs dialogs;
    MainDialog window(GetModuleHandleW(nullptr), fakes.platform, {&prompter, nullptr, &dialogs});
    ASSERT_NE(window.createModeless(), nullptr);
    test::pumpFor(50);
    EXPECT_EQ(GetDpiForWindow(window.hwnd()), kDpi);
    const int widths[] = {54, 150, 54, 54, 54, 180, 54, 54, 38};  // the 96-dpi widths × 1.5
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ListView_GetColumnWidth(window.list(), i), widths[i]) << "column " << i;
    expectControlsApart(window.hwnd());
    window.end(IDCANCEL);
    // The dialogs place their controls only from their templates.
    for (int id : {IDD_ACTION_EDITOR, IDD_DETAIL_SETTINGS, IDD_BULK_TEXT_EDIT}) {
        HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, templateOnly, 0);
        ASSERT_NE(dialog, nullptr) << id;
        SCOPED_TRACE(id);
        expectControlsApart(dialog);
        DestroyWindow(dialog);
    }
}

TEST_F(HighDpi, MacroClicksLandOnTheirPhysicalPixels) {
    test::TestWindow target(300, 200, 400, 300, true);
    target.activate();
    test::pumpFor(100);
    Win32Platform system;
    MacroPlayer player(system.platform());
    const Point points[] = {{310, 205}, {650, 480}};
    for (const Point& point : points) {
        ActionRecord click;
        click.actionType = ActionType::LeftClick;
        click.x = point.x;
        click.y = point.y;
        player.actions().append(click);
    }
    for (int32_t i = 0; i < player.actions().size(); ++i) {
        const Point point = points[i];
        target.clear();
        int32_t index = i;
        player.executeAction(index);
        ASSERT_TRUE(test::pumpUntil([&] { return target.received(WM_LBUTTONUP); }));
        const POINT client = target.messages().front().client;
        EXPECT_EQ(client.x, point.x - 300);
        EXPECT_EQ(client.y, point.y - 200);
        // What the recorder would take for this click, and the pixel the user sees there.
        EXPECT_EQ(system.platform().input.cursorPos(), point);
        EXPECT_EQ(system.platform().screen.pixelAt(point.x, point.y), test::patternColour(client.x, client.y));
    }
}

TEST_F(HighDpi, MarkerTipOnItsPoint) {
    PositionMarker marker(GetModuleHandleW(nullptr));
    marker.showLocked(200, 150, 0);
    ASSERT_NE(marker.window(), nullptr);
    test::pumpFor(20);
    RECT r{};
    GetWindowRect(marker.window(), &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 68);  // the 45 × 34 picture at 150 %
    EXPECT_EQ(r.bottom - r.top, 51);
    GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(marker.window(), region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));  // the marked pixel stays visible
    EXPECT_TRUE(PtInRegion(region.get(), 1, 0));
    EXPECT_TRUE(PtInRegion(region.get(), 0, 1));
    marker.hide();
}

}  // namespace
}  // namespace tappling
