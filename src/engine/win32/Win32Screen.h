// Screen reads: one BitBlt per capture, GetPixel for single reads, double-click metrics.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Screen final : public Screen {
public:
    ScreenRect virtualScreen() override;
    std::optional<PixelCapture> capture(const ScreenRect& rect) override;
    std::optional<uint32_t> pixelAt(int32_t x, int32_t y) override;
    uint32_t doubleClickTime() override;
    Point doubleClickSize() override;
};

}  // namespace tappling
