#include "ui/logic/DpiScale.h"

#include <gtest/gtest.h>

namespace tappling {
namespace {

TEST(DpiScale, RoundsAsMulDiv) {
    const struct {
        int32_t value;
        uint32_t dpi;
        int32_t expected;
    } cases[] = {
        {36, 96, 36},   {36, 144, 54},  {100, 144, 150}, {25, 144, 38},   {45, 144, 68}, {1, 144, 2},
        {-3, 144, -5},  {0, 144, 0},    {100, 120, 125}, {25, 120, 31},   {120, 192, 240},
        {36, 0, 36},    {2000000000, 192, INT32_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(scaleForDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
}

TEST(DpiScale, PictureKeepsItsCornerPixelAlone) {
    // 1 2 3
    // 4 5 6
    const Picture picture{3, 2, {1, 2, 3, 4, 5, 6}};
    EXPECT_EQ(scalePicture(picture, 96), picture);
    EXPECT_EQ(scalePicture(picture, 144), (Picture{5, 3, {1, 2, 2, 3, 3,  //
                                                          4, 5, 5, 6, 6,  //
                                                          4, 5, 5, 6, 6}}));
    EXPECT_EQ(scalePicture(picture, 192), (Picture{6, 4, {1, 2, 2, 3, 3, 3,  //
                                                          4, 5, 5, 6, 6, 6,  //
                                                          4, 5, 5, 6, 6, 6,  //
                                                          4, 5, 5, 6, 6, 6}}));
    const Picture cut{3, 2, {1, 2, 3}};  // fewer pixels than its size: left alone
    EXPECT_EQ(scalePicture(cut, 144), cut);
}

}  // namespace
}  // namespace tappling
