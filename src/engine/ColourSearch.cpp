#include "engine/ColourSearch.h"

#include <algorithm>

namespace tappling {

std::optional<ScreenRect> colourSearchRect(int32_t cx, int32_t cy, int32_t rangeX, int32_t rangeY,
                                           const ScreenRect& screen) {
    if (rangeX < 0 || rangeY < 0) return std::nullopt;
    // 64-bit: cx ± range can leave the int32 range.
    const int64_t left = std::max<int64_t>(int64_t{cx} - rangeX, screen.left);
    const int64_t top = std::max<int64_t>(int64_t{cy} - rangeY, screen.top);
    const int64_t right = std::min<int64_t>(int64_t{cx} + rangeX + 1, screen.right);
    const int64_t bottom = std::min<int64_t>(int64_t{cy} + rangeY + 1, screen.bottom);
    if (left >= right || top >= bottom) return std::nullopt;
    return ScreenRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                      static_cast<int32_t>(bottom)};
}

std::optional<Point> scanForColour(const PixelCapture& capture, uint32_t colour) {
    const ScreenRect& r = capture.rect;
    if (r.right <= r.left || r.bottom <= r.top) return std::nullopt;
    const auto width = static_cast<size_t>(int64_t{r.right} - r.left);
    const auto height = static_cast<size_t>(int64_t{r.bottom} - r.top);
    if (capture.pixels.size() < width * height) return std::nullopt;  // a short capture matches nothing
    for (size_t col = 0; col < width; ++col) {
        for (size_t row = 0; row < height; ++row) {
            if (capture.pixels[row * width + col] == colour) {
                return Point{static_cast<int32_t>(r.left + static_cast<int64_t>(col)),
                             static_cast<int32_t>(r.top + static_cast<int64_t>(row))};
            }
        }
    }
    return std::nullopt;
}

}  // namespace tappling
