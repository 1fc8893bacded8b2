#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/ColourSearch.h"
#include "engine/PlayerTestSupport.h"

namespace tappling {
namespace {

constexpr uint32_t kRed = 0x0000FF;

TEST(ColourSearch, RangesZeroTestTheSinglePixel) {
    fake::FakePlatform fake;
    fake.screen.setPixel(10, 10, kRed);
    MacroPlayer player(fake.platform);
    int32_t dx = 99, dy = 99;
    EXPECT_TRUE(player.findColour(kRed, 10, 10, 0, 0, dx, dy));
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    ASSERT_EQ(fake.screen.captures.size(), 1u);
    EXPECT_EQ(fake.screen.captures[0], (ScreenRect{10, 10, 11, 11}));
    EXPECT_FALSE(player.findColour(kRed, 11, 10, 0, 0, dx, dy));
}

TEST(ColourSearch, ScansColumnByColumnFromTheTopLeftInOneCapture) {
    // Ranges 2 and 1 around (50, 50): columns 48..52, rows 49..51.
    struct Case {
        std::vector<Point> matches;
        int32_t dx, dy;
    };
    const std::vector<Case> cases = {
        {{{48, 49}}, -2, -1},
        {{{52, 51}}, 2, 1},
        {{{49, 51}, {50, 49}}, -1, 1},   // the left column wins over a higher pixel further right
        {{{49, 50}, {49, 49}}, -1, -1},  // within a column, the top wins
        {{{47, 50}, {52, 50}}, 2, 0},    // outside the rectangle does not count
        {{{50, 52}, {51, 48}, {51, 51}}, 1, 1},
    };
    for (const Case& c : cases) {
        fake::FakePlatform fake;
        for (const Point& p : c.matches) fake.screen.setPixel(p.x, p.y, kRed);
        MacroPlayer player(fake.platform);
        int32_t dx = 99, dy = 99;
        EXPECT_TRUE(player.findColour(kRed, 50, 50, 2, 1, dx, dy));
        EXPECT_EQ(dx, c.dx);
        EXPECT_EQ(dy, c.dy);
        ASSERT_EQ(fake.screen.captures.size(), 1u);
        EXPECT_EQ(fake.screen.captures[0], (ScreenRect{48, 49, 53, 52}));
    }
}

TEST(ColourSearch, NoMatchLeavesTheOutputsAlone) {
    fake::FakePlatform fake;
    MacroPlayer player(fake.platform);
    int32_t dx = 7, dy = -8;
    EXPECT_FALSE(player.findColour(kRed, 50, 50, 5, 5, dx, dy));
    EXPECT_EQ(dx, 7);
    EXPECT_EQ(dy, -8);
}

TEST(ColourSearch, FailedCaptureMeansNoMatch) {
    fake::FakePlatform fake;
    fake.screen.setPixel(50, 50, kRed);
    fake.screen.captureFails = true;
    MacroPlayer player(fake.platform);
    int32_t dx = 7, dy = -8;
    EXPECT_FALSE(player.findColour(kRed, 50, 50, 0, 0, dx, dy));
    EXPECT_EQ(dx, 7);
    EXPECT_EQ(dy, -8);
}

TEST(ColourSearch, ClipsToTheScreenSoOffScreenPixelsNeverMatch) {
    fake::FakePlatform fake;
    fake.screen.screen = {-100, 0, 200, 100};
    MacroPlayer player(fake.platform);
    int32_t dx = 1, dy = 1;
    // Off the screen the system reports CLR_INVALID; a condition colour of 0xFFFFFFFF must
    // still not match there.
    EXPECT_FALSE(player.findColour(0xFFFFFFFF, 190, 95, 20, 20, dx, dy));
    ASSERT_EQ(fake.screen.captures.size(), 1u);
    EXPECT_EQ(fake.screen.captures[0], (ScreenRect{170, 75, 200, 100}));
    EXPECT_EQ(fake.screen.capturesOutsideScreen, 0);

    fake.screen.setPixel(-100, 0, kRed);
    EXPECT_TRUE(player.findColour(kRed, -95, 3, 10, 10, dx, dy));
    EXPECT_EQ(dx, -5);
    EXPECT_EQ(dy, -3);

    // Wholly off the screen: nothing is captured at all.
    EXPECT_FALSE(player.findColour(kRed, 5000, 5000, 3, 3, dx, dy));
    EXPECT_EQ(fake.screen.captures.size(), 2u);
}

TEST(ColourSearch, NegativeRangesSearchNothing) {
    fake::FakePlatform fake;
    fake.screen.setPixel(50, 50, kRed);
    MacroPlayer player(fake.platform);
    int32_t dx = 3, dy = 4;
    EXPECT_FALSE(player.findColour(kRed, 50, 50, -1, 0, dx, dy));
    EXPECT_FALSE(player.findColour(kRed, 50, 50, 0, -1, dx, dy));
    EXPECT_TRUE(fake.screen.captures.empty());
    EXPECT_EQ(dx, 3);
}

TEST(ColourSearch, ExtremeCoordinatesAndRangesDoNotOverflow) {
    fake::FakePlatform fake;
    fake.screen.screen = {0, 0, 64, 48};
    fake.screen.setPixel(0, 0, kRed);
    MacroPlayer player(fake.platform);
    int32_t dx = 3, dy = 4;
    EXPECT_TRUE(player.findColour(kRed, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, dx, dy));
    EXPECT_EQ(dx, static_cast<int32_t>(int64_t{0} - INT32_MAX));
    EXPECT_EQ(fake.screen.capturesOutsideScreen, 0);
    ASSERT_EQ(fake.screen.captures.size(), 1u);
    EXPECT_EQ(fake.screen.captures[0], fake.screen.screen);
    EXPECT_FALSE(player.findColour(kRed, INT32_MIN, INT32_MIN, 10, 10, dx, dy));
}

TEST(ColourSearch, ScanOfAShortCaptureMatchesNothing) {
    PixelCapture capture{{0, 0, 4, 4}, std::vector<uint32_t>(3, kRed)};
    EXPECT_FALSE(scanForColour(capture, kRed).has_value());
}

TEST(ColourSearch, SearchRectIsInclusiveOfBothEnds) {
    const ScreenRect screen{0, 0, 100, 100};
    EXPECT_EQ(colourSearchRect(10, 20, 2, 1, screen), (ScreenRect{8, 19, 13, 22}));
    EXPECT_EQ(colourSearchRect(0, 0, 0, 0, screen), (ScreenRect{0, 0, 1, 1}));
    EXPECT_EQ(colourSearchRect(99, 99, 5, 5, screen), (ScreenRect{94, 94, 100, 100}));
    EXPECT_FALSE(colourSearchRect(100, 50, 0, 0, screen).has_value());
    EXPECT_FALSE(colourSearchRect(-1, 50, 0, 0, screen).has_value());
}

}  // namespace
}  // namespace tappling
