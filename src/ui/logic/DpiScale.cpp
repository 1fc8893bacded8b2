#include "ui/logic/DpiScale.h"

#include <algorithm>

namespace tappling {

int32_t scaleForDpi(int32_t value, uint32_t dpi) {
    if (dpi == 0) return value;
    const int64_t product = static_cast<int64_t>(value) * dpi;
    const int64_t half = kDesignDpi / 2;
    const int64_t rounded = product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi;
    return static_cast<int32_t>(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

namespace {

// The source pixel nearest to the centre-aligned position of scaled pixel `scaled`;
// rounding up from one half keeps source pixel 0 to scaled pixel 0 alone.
int32_t sourceIndex(int32_t scaled, int32_t sourceSize, uint32_t dpi) {
    const int64_t index = (static_cast<int64_t>(scaled) * kDesignDpi * 2 + dpi) / (static_cast<int64_t>(dpi) * 2);
    return static_cast<int32_t>(std::min<int64_t>(index, sourceSize - 1));
}

}  // namespace

Picture scalePicture(const Picture& picture, uint32_t dpi) {
    const bool whole = picture.width > 0 && picture.height > 0 &&
                       picture.pixels.size() == static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    if (dpi <= kDesignDpi || !whole) return picture;
    Picture scaled{scaleForDpi(picture.width, dpi), scaleForDpi(picture.height, dpi), {}};
    scaled.pixels.reserve(static_cast<size_t>(scaled.width) * static_cast<size_t>(scaled.height));
    for (int32_t y = 0; y < scaled.height; ++y) {
        const size_t row = static_cast<size_t>(sourceIndex(y, picture.height, dpi)) * static_cast<size_t>(picture.width);
        for (int32_t x = 0; x < scaled.width; ++x)
            scaled.pixels.push_back(picture.pixels[row + static_cast<size_t>(sourceIndex(x, picture.width, dpi))]);
    }
    return scaled;
}

}  // namespace tappling
