#include "engine/win32/Win32Screen.h"

#include <algorithm>
#include <cstring>

#include "win32/Handles.h"

namespace tappling {

namespace {

// Pixels of a capture that fall off the screen read as GetPixel reports them there, so
// they never equal a colour taken from the screen.
constexpr uint32_t kOffScreen = CLR_INVALID;

// Up to this many pixels, reading them one by one is cheaper than a capture.
constexpr int64_t kPixelByPixelLimit = 1;

// A capture bitmap larger than this is made for its search and not kept.
constexpr int64_t kKeptBitmapPixels = int64_t{1024} * 1024;

uint32_t colorRefFromBgra(uint32_t bgra) {
    // DIB memory is 0x00RRGGBB per pixel; COLORREF is 0x00BBGGRR.
    return ((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF);
}

// A top-down 32-bit DIB section and its pixel memory.
struct CaptureBitmap {
    GdiObject<HBITMAP> bitmap;
    void* bits = nullptr;
    int width = 0;
    int height = 0;

    bool make(HDC compatibleWith, int w, int h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bits = nullptr;
        bitmap.reset(CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        width = bitmap && bits ? w : 0;
        height = bitmap && bits ? h : 0;
        return width > 0;
    }
};

}  // namespace

struct Win32Screen::Held {
    WindowDc screen;
    MemoryDc memory{screen.get()};
    CaptureBitmap kept;  // grows to the largest capture so far, up to kKeptBitmapPixels
};

Win32Screen::Win32Screen() = default;
Win32Screen::~Win32Screen() = default;

Win32Screen::Held* Win32Screen::held() {
    if (!held_ || !held_->screen.get() || !held_->memory.get()) held_ = std::make_unique<Held>();
    return held_->screen.get() && held_->memory.get() ? held_.get() : nullptr;
}

ScreenRect Win32Screen::virtualScreen() {
    // Under Wine the four metrics cost half a millisecond (the display settings are looked
    // up each time), more than a small search itself: they are read again at most every
    // kVirtualScreenReuseMs, so a change of the monitors is seen within that time.
    const DWORD now = GetTickCount();
    if (!virtualScreenRead_ || now - virtualScreenReadAt_ >= kVirtualScreenReuseMs) {
        const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        virtualScreen_ = ScreenRect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                    top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        virtualScreenRead_ = true;
        virtualScreenReadAt_ = now;
    }
    return virtualScreen_;
}

std::optional<PixelCapture> Win32Screen::capture(const ScreenRect& rect) {
    const int64_t width = int64_t{rect.right} - rect.left;
    const int64_t height = int64_t{rect.bottom} - rect.top;
    if (width <= 0 || height <= 0 || width * height > (int64_t{1} << 28)) return std::nullopt;

    PixelCapture out;
    out.rect = rect;
    out.pixels.assign(static_cast<size_t>(width * height), kOffScreen);

    const ScreenRect screen = virtualScreen();
    const ScreenRect part{std::max(rect.left, screen.left), std::max(rect.top, screen.top),
                          std::min(rect.right, screen.right), std::min(rect.bottom, screen.bottom)};
    if (part.left >= part.right || part.top >= part.bottom) return out;  // wholly off the screen
    const int partWidth = part.right - part.left;
    const int partHeight = part.bottom - part.top;

    Held* gdi = held();
    if (gdi == nullptr) return std::nullopt;
    const size_t dstCol = static_cast<size_t>(part.left - rect.left);
    if (int64_t{partWidth} * partHeight <= kPixelByPixelLimit) {
        for (int row = 0; row < partHeight; ++row) {
            const size_t dstRow = static_cast<size_t>(part.top - rect.top + row) * static_cast<size_t>(width);
            for (int col = 0; col < partWidth; ++col) {
                const COLORREF colour = GetPixel(gdi->screen.get(), part.left + col, part.top + row);
                if (colour == CLR_INVALID) return std::nullopt;
                out.pixels[dstRow + dstCol + static_cast<size_t>(col)] = colour;
            }
        }
        return out;
    }

    // The kept bitmap when the part fits in it, else a bigger one (kept when not too large).
    CaptureBitmap single;
    CaptureBitmap* target = &gdi->kept;
    if (partWidth > gdi->kept.width || partHeight > gdi->kept.height) {
        const int w = std::max(partWidth, gdi->kept.width);
        const int h = std::max(partHeight, gdi->kept.height);
        target = int64_t{w} * h <= kKeptBitmapPixels ? &gdi->kept : &single;
        if (!target->make(gdi->screen.get(), target == &single ? partWidth : w, target == &single ? partHeight : h))
            return std::nullopt;
    }
    {
        Selection selected(gdi->memory.get(), target->bitmap.get());
        if (!selected.ok()) return std::nullopt;
        if (!BitBlt(gdi->memory.get(), 0, 0, partWidth, partHeight, gdi->screen.get(), part.left, part.top,
                    SRCCOPY)) {
            return std::nullopt;
        }
    }
    GdiFlush();

    const auto* src = static_cast<const uint32_t*>(target->bits);
    for (int row = 0; row < partHeight; ++row) {
        const size_t dstRow = static_cast<size_t>(part.top - rect.top + row) * static_cast<size_t>(width);
        const uint32_t* srcRow = src + static_cast<size_t>(row) * static_cast<size_t>(target->width);
        uint32_t* dst = out.pixels.data() + dstRow + dstCol;
        for (int col = 0; col < partWidth; ++col) dst[col] = colorRefFromBgra(srcRow[col]);
    }
    return out;
}

std::optional<uint32_t> Win32Screen::pixelAt(int32_t x, int32_t y) {
    Held* gdi = held();
    if (gdi == nullptr) return std::nullopt;
    const COLORREF colour = GetPixel(gdi->screen.get(), x, y);
    if (colour == CLR_INVALID) return std::nullopt;
    return static_cast<uint32_t>(colour);
}

uint32_t Win32Screen::doubleClickTime() { return GetDoubleClickTime(); }

Point Win32Screen::doubleClickSize() {
    return Point{GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
}

}  // namespace tappling
