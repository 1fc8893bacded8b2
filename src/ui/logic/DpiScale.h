// Pixel sizes chosen for a 96-dpi display, scaled to the display a window is on. The
// program is per-monitor DPI aware, so the system hands it physical pixels and leaves
// every size it sets itself (list columns, the marker picture) to the program.
#pragma once

#include <cstdint>
#include <vector>

namespace tappling {

inline constexpr uint32_t kDesignDpi = 96;

// value × dpi / 96, rounded half away from zero as the system's MulDiv does. A dpi of 0
// (the system could not say) leaves the value as it is.
int32_t scaleForDpi(int32_t value, uint32_t dpi);

// A picture as 32-bit pixels, row by row from the top.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    bool operator==(const Picture&) const = default;
};

// The picture enlarged for dpi by repeating its nearest pixels, so colours stay exact (a
// key colour stays a key colour). Pixel (0, 0) stays a single pixel and its neighbours
// are the original neighbours: what marks a point with its corner keeps marking exactly
// that point. At 96 dpi or less the picture comes back unchanged.
Picture scalePicture(const Picture& picture, uint32_t dpi);

}  // namespace tappling
