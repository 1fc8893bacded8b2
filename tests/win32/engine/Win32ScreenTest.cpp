// One capture of the screen agrees pixel for pixel with GetPixel, and the colour search
// over a capture finds what a per-pixel search finds.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "engine/ColourSearch.h"
#include "engine/TestWindow.h"
#include "engine/win32/Win32Screen.h"
#include "win32/Handles.h"

namespace tappling {
namespace {

using test::patternColour;
using test::pumpUntil;
using test::TestWindow;

uint32_t referencePixel(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

// The search as a per-pixel loop: columns left to right, each column top to bottom.
std::optional<Point> referenceSearch(uint32_t colour, int cx, int cy, int rangeX, int rangeY) {
    WindowDc dc;
    for (int px = cx - rangeX; px <= cx + rangeX; ++px) {
        for (int py = cy - rangeY; py <= cy + rangeY; ++py) {
            if (GetPixel(dc.get(), px, py) == colour) return Point{px - cx, py - cy};
        }
    }
    return std::nullopt;
}

class Win32ScreenTest : public ::testing::Test {
protected:
    // Waits until the painted pattern shows on the screen.
    void waitForPattern(const TestWindow& w, int x, int y) {
        ASSERT_NE(w.hwnd(), nullptr);
        WindowDc dc;
        const bool shown = pumpUntil([&] { return GetPixel(dc.get(), x + 7, y + 5) == patternColour(7, 5); });
        ASSERT_TRUE(shown) << "pattern not on screen";
    }
    // Another program's window may open over the pattern for a moment (a test before
    // this one started one): a real fault shows in every attempt.
    void expectAgrees(const ScreenRect& rect) {
        int mismatches = 0;
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (attempt > 0) test::pumpFor(300);
            mismatches = compareOnce(rect, attempt == 4);
            if (mismatches == 0) break;
        }
        EXPECT_EQ(mismatches, 0);
    }
    int compareOnce(const ScreenRect& rect, bool report) {
        const auto captured = screen.capture(rect);
        if (!captured) {
            if (report) ADD_FAILURE() << "no capture";
            return -1;
        }
        EXPECT_EQ(captured->rect, rect);
        if (captured->pixels.size() != size_t(rect.right - rect.left) * size_t(rect.bottom - rect.top)) {
            if (report) ADD_FAILURE() << "capture size " << captured->pixels.size();
            return -1;
        }
        WindowDc dc;
        int mismatches = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const uint32_t expected = referencePixel(dc.get(), x, y);
                if (captured->at(x, y) != expected && ++mismatches <= 5 && report) {
                    ADD_FAILURE() << "at " << x << "," << y << std::hex << " capture " << captured->at(x, y)
                                  << " GetPixel " << expected;
                }
            }
        }
        return mismatches;
    }

    Win32Screen screen;
};

TEST_F(Win32ScreenTest, VirtualScreenIsTheMetrics) {
    const ScreenRect vs = screen.virtualScreen();
    EXPECT_EQ(vs.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(vs.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(vs.right - vs.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(vs.bottom - vs.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_GT(vs.right, vs.left);
}

TEST_F(Win32ScreenTest, DoubleClickMetrics) {
    EXPECT_EQ(screen.doubleClickTime(), GetDoubleClickTime());
    EXPECT_EQ(screen.doubleClickSize(), (Point{GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)}));
}

TEST_F(Win32ScreenTest, CaptureOfAPaintedPatternMatchesGetPixel) {
    TestWindow w(200, 140, 160, 120, true);
    waitForPattern(w, 200, 140);
    expectAgrees(ScreenRect{200, 140, 360, 260});
    expectAgrees(ScreenRect{210, 150, 211, 151});  // one pixel
    const auto one = screen.capture(ScreenRect{230, 170, 231, 171});
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->pixels.at(0), patternColour(30, 30));
}

// One screen reader keeps its capture bitmap between captures: every shape after a larger
// or differently shaped one still reads the right pixels.
TEST_F(Win32ScreenTest, CapturesOfChangingShapesMatchGetPixel) {
    TestWindow w(200, 140, 160, 120, true);
    waitForPattern(w, 200, 140);
    const ScreenRect shapes[] = {
        {205, 145, 208, 147}, {200, 140, 360, 260}, {201, 141, 351, 144},
        {202, 142, 204, 242}, {250, 180, 257, 187}, {260, 190, 261, 191},
    };
    for (const ScreenRect& rect : shapes) expectAgrees(rect);
}

TEST_F(Win32ScreenTest, CaptureAcrossTheScreenEdgeMatchesGetPixel) {
    const ScreenRect vs = screen.virtualScreen();
    TestWindow w(vs.left, vs.top, 64, 48, true);
    waitForPattern(w, vs.left, vs.top);
    // Off-screen pixels read as GetPixel reports them: CLR_INVALID.
    const ScreenRect rect{vs.left - 8, vs.top - 6, vs.left + 24, vs.top + 20};
    expectAgrees(rect);
    const auto captured = screen.capture(rect);
    ASSERT_TRUE(captured.has_value());
    EXPECT_EQ(captured->at(vs.left - 1, vs.top), CLR_INVALID);
    EXPECT_EQ(captured->at(vs.left, vs.top), patternColour(0, 0));
    expectAgrees(ScreenRect{vs.right - 5, vs.bottom - 4, vs.right + 3, vs.bottom + 2});
}

TEST_F(Win32ScreenTest, EmptyOrInvertedRectangleIsNoCapture) {
    EXPECT_FALSE(screen.capture(ScreenRect{10, 10, 10, 20}).has_value());
    EXPECT_FALSE(screen.capture(ScreenRect{10, 10, 5, 20}).has_value());
}

TEST_F(Win32ScreenTest, PixelAtReadsThePatternAndFailsOffScreen) {
    TestWindow w(200, 140, 160, 120, true);
    waitForPattern(w, 200, 140);
    EXPECT_EQ(screen.pixelAt(200 + 17, 140 + 9), std::optional<uint32_t>(patternColour(17, 9)));
    const ScreenRect vs = screen.virtualScreen();
    EXPECT_EQ(screen.pixelAt(vs.left - 1, vs.top - 1), std::nullopt);
}

struct SearchCase {
    int cx, cy, range;
    uint32_t colour;
};

TEST_F(Win32ScreenTest, CaptureSearchAgreesWithPerPixelSearch) {
    const ScreenRect vs = screen.virtualScreen();
    TestWindow w(vs.left, vs.top, 200, 150, true);
    waitForPattern(w, vs.left, vs.top);
    const int l = vs.left, t = vs.top;
    const SearchCase cases[] = {
        {l + 50, t + 40, 0, patternColour(50, 40)},    // the centre pixel itself
        {l + 50, t + 40, 0, patternColour(51, 40)},    // next to it: not found
        {l + 50, t + 40, 10, patternColour(55, 33)},   // inside the range
        {l + 50, t + 40, 10, patternColour(61, 40)},   // just outside
        {l + 5, t + 5, 10, patternColour(0, 0)},       // rectangle crosses the screen edge
        {l + 100, t + 70, 50, patternColour(140, 30)}, // larger range
        {l + 100, t + 70, 3, 0x00ABCDEF},              // absent colour
    };
    for (const auto& c : cases) {
        const auto rect = colourSearchRect(c.cx, c.cy, c.range, c.range, vs);
        ASSERT_TRUE(rect.has_value());
        const auto captured = screen.capture(*rect);
        ASSERT_TRUE(captured.has_value());
        std::optional<Point> found = scanForColour(*captured, c.colour);
        if (found) found = Point{found->x - c.cx, found->y - c.cy};
        EXPECT_EQ(found, referenceSearch(c.colour, c.cx, c.cy, c.range, c.range))
            << c.cx << "," << c.cy << " range " << c.range;
    }
}

}  // namespace
}  // namespace tappling
