#include "engine/win32/Win32Screen.h"

#include <algorithm>
#include <cstring>

#include "engine/win32/GdiHandles.h"

namespace tappling {

namespace {

// Pixels of a capture that fall off the screen read as GetPixel reports them there, so
// they never equal a colour taken from the screen.
constexpr uint32_t kOffScreen = CLR_INVALID;

uint32_t colorRefFromBgra(uint32_t bgra) {
    // DIB memory is 0x00RRGGBB per pixel; COLORREF is 0x00BBGGRR.
    return ((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF);
}

}  // namespace

ScreenRect Win32Screen::virtualScreen() {
    const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return ScreenRect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
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

    ScreenDc screenDc;
    if (!screenDc.get()) return std::nullopt;
    MemoryDc memoryDc(screenDc.get());
    if (!memoryDc.get()) return std::nullopt;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = partWidth;
    info.bmiHeader.biHeight = -partHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> dib(CreateDIBSection(screenDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return std::nullopt;
    {
        Selection selected(memoryDc.get(), dib.get());
        if (!selected.ok()) return std::nullopt;
        if (!BitBlt(memoryDc.get(), 0, 0, partWidth, partHeight, screenDc.get(), part.left, part.top, SRCCOPY)) {
            return std::nullopt;
        }
    }
    GdiFlush();

    const auto* src = static_cast<const uint32_t*>(bits);
    for (int row = 0; row < partHeight; ++row) {
        const size_t dstRow = static_cast<size_t>(part.top - rect.top + row) * static_cast<size_t>(width);
        const size_t dstCol = static_cast<size_t>(part.left - rect.left);
        const uint32_t* srcRow = src + static_cast<size_t>(row) * static_cast<size_t>(partWidth);
        for (int col = 0; col < partWidth; ++col) {
            out.pixels[dstRow + dstCol + static_cast<size_t>(col)] = colorRefFromBgra(srcRow[col]);
        }
    }
    return out;
}

std::optional<uint32_t> Win32Screen::pixelAt(int32_t x, int32_t y) {
    ScreenDc screenDc;
    if (!screenDc.get()) return std::nullopt;
    const COLORREF colour = GetPixel(screenDc.get(), x, y);
    if (colour == CLR_INVALID) return std::nullopt;
    return static_cast<uint32_t>(colour);
}

uint32_t Win32Screen::doubleClickTime() { return GetDoubleClickTime(); }

Point Win32Screen::doubleClickSize() {
    return Point{GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
}

}  // namespace tappling
