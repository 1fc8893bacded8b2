// The pure part of the colour condition: which screen rectangle to capture, and the scan
// of the captured pixels, so the search costs one capture whatever its size.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/Platform.h"

namespace tappling {

// The rectangle cx±rangeX, cy±rangeY (inclusive) clipped to the screen, as a half-open
// ScreenRect; nullopt when nothing of it lies on the screen or a range is negative.
std::optional<ScreenRect> colourSearchRect(int32_t cx, int32_t cy, int32_t rangeX, int32_t rangeY,
                                           const ScreenRect& screen);

// The first pixel equal to colour, columns from the left and each column from the top.
std::optional<Point> scanForColour(const PixelCapture& capture, uint32_t colour);

}  // namespace tappling
