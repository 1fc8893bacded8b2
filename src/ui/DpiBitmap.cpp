#include "ui/DpiBitmap.h"

#include <cstring>

#include "ui/logic/DpiScale.h"

namespace tappling {

namespace {

// A top-down 32-bit DIB header of the size.
BITMAPINFO topDown32(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

GdiObject<HBITMAP> enlargedForDpi(HBITMAP source, UINT dpi) {
    BITMAP size{};
    if (dpi <= kDesignDpi || source == nullptr || !GetObjectW(source, sizeof(size), &size)) return GdiObject<HBITMAP>();
    Picture picture{size.bmWidth, size.bmHeight < 0 ? -size.bmHeight : size.bmHeight, {}};
    picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    BITMAPINFO info = topDown32(picture.width, picture.height);
    WindowDc screen;  // the whole screen
    if (GetDIBits(screen.get(), source, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                  DIB_RGB_COLORS) != picture.height)
        return GdiObject<HBITMAP>();

    const Picture scaled = scalePicture(picture, dpi);
    BITMAPINFO scaledInfo = topDown32(scaled.width, scaled.height);
    void* bits = nullptr;
    GdiObject<HBITMAP> result(CreateDIBSection(screen.get(), &scaledInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result || bits == nullptr) return GdiObject<HBITMAP>();
    std::memcpy(bits, scaled.pixels.data(), scaled.pixels.size() * sizeof(uint32_t));
    return result;
}

}  // namespace tappling
