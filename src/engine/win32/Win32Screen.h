// Screen reads: one BitBlt per capture, GetPixel for single reads, double-click metrics.
// The virtual screen's rectangle is kept for half a second. The screen DC, the memory DC and the capture bitmap are made once and kept: fetching
// and freeing them for every search cost several times what the read itself does.
#pragma once

#include <memory>

#include "engine/Platform.h"

namespace tappling {

class Win32Screen final : public Screen {
public:
    Win32Screen();
    ~Win32Screen() override;
    Win32Screen(const Win32Screen&) = delete;
    Win32Screen& operator=(const Win32Screen&) = delete;

    ScreenRect virtualScreen() override;
    std::optional<PixelCapture> capture(const ScreenRect& rect) override;
    std::optional<uint32_t> pixelAt(int32_t x, int32_t y) override;
    uint32_t doubleClickTime() override;
    Point doubleClickSize() override;

private:
    struct Held;  // the kept GDI objects, made on first use
    Held* held();
    std::unique_ptr<Held> held_;

    static constexpr uint32_t kVirtualScreenReuseMs = 500;
    ScreenRect virtualScreen_;
    bool virtualScreenRead_ = false;
    uint32_t virtualScreenReadAt_ = 0;
};

}  // namespace tappling
