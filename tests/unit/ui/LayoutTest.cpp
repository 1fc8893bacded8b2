#include "ui/logic/Layout.h"

#include <gtest/gtest.h>

namespace tappling {
namespace {

struct LayoutCase {
    LayoutRect previous;
    LayoutRect now;
    LayoutChange expected;
};

class LayoutChanges : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutChanges, DeltaAndUpperButtons) {
    const LayoutRect initial{0, 0, 600, 240};
    EXPECT_EQ(layoutChange(GetParam().previous, initial, GetParam().now), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LayoutChanges,
    ::testing::Values(LayoutCase{{0, 0, 600, 240}, {0, 0, 600, 240}, {0, 0, false}},
                      LayoutCase{{0, 0, 600, 240}, {0, 0, 700, 300}, {100, 60, false}},
                      LayoutCase{{0, 0, 600, 240}, {0, 0, 500, 239}, {-100, -1, true}},
                      LayoutCase{{0, 0, 500, 200}, {0, 0, 500, 240}, {0, 40, false}},
                      LayoutCase{{0, 0, 700, 300}, {0, 0, 400, 100}, {-300, -200, true}}));

TEST(Layout, ControlMoves) {
    const LayoutChange change{10, -5, false};
    const LayoutRect control{100, 50, 150, 70};
    EXPECT_EQ(followRightEdge(control, change), (LayoutRect{110, 50, 160, 70}));
    EXPECT_EQ(followCorner(control, change), (LayoutRect{110, 45, 160, 65}));
    EXPECT_EQ(stretch(control, change), (LayoutRect{100, 50, 160, 65}));
}

}  // namespace
}  // namespace tappling
