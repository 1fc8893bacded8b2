// Colour search: one capture and a scan in memory (the player's findColour) against a
// GetPixel call per pixel, over a painted 32-bit pattern, for an absent colour (full scan).
#include <algorithm>
#include <optional>
#include <utility>
#include <cstdio>
#include <vector>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"
#include "win32/Handles.h"

namespace tappling::bench {

namespace {

constexpr uint32_t kAbsent = 0x00123456;  // not in the pattern (its blue is fixed at 0x5A)

LRESULT CALLBACK patternProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    std::vector<uint32_t> pixels(static_cast<size_t>(r.right) * static_cast<size_t>(r.bottom));
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(r.right) + static_cast<size_t>(x)] =
                (static_cast<uint32_t>(x & 255) << 16) | ((y & 255) << 8) | 0x5A;
        }
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(r.right), static_cast<DWORD>(r.bottom), 0, 0, 0,
                      static_cast<UINT>(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(hwnd, &ps);
    return 0;
}

// The same search by one GetPixel per pixel, in the same order; the offset of the match.
std::optional<std::pair<int32_t, int32_t>> perPixelSearch(uint32_t colour, int cx, int cy, int rangeX, int rangeY) {
    WindowDc dc;
    if (!dc.get()) return std::nullopt;
    for (int px = cx - rangeX; px <= cx + rangeX; ++px) {
        for (int py = cy - rangeY; py <= cy + rangeY; ++py) {
            if (GetPixel(dc.get(), px, py) == colour) return std::make_pair(px - cx, py - cy);
        }
    }
    return std::nullopt;
}

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

template <typename F>
std::vector<double> timeRuns(int runs, F&& f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double t0 = nowMs();
        f();
        ms.push_back(nowMs() - t0);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

// Where a capture's fixed cost goes: each GDI call of a capture on its own, median of 200.
void fixedCostBreakdown() {
    const auto median = [](auto&& f) {
        const auto ms = timeRuns(200, f);
        return ms[ms.size() / 2];
    };
    Win32Screen screen;
    WindowDc held;
    MemoryDc heldMemory(held.get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiObject<HBITMAP> heldDib(CreateDIBSection(held.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    Selection selected(heldMemory.get(), heldDib.get());
    std::printf("\ncapture cost by part, ms (median of 200)\n");
    std::printf("  virtual screen rectangle (4 metrics)  %7.3f\n", median([&] { screen.virtualScreen(); }));
    std::printf("  GetDC/ReleaseDC of the screen          %7.3f\n", median([] { WindowDc dc; }));
    std::printf("  CreateCompatibleDC/DeleteDC            %7.3f\n", median([&] { MemoryDc dc(held.get()); }));
    std::printf("  CreateDIBSection/DeleteObject 1x1      %7.3f\n", median([&] {
                    void* b = nullptr;
                    GdiObject<HBITMAP> dib(CreateDIBSection(held.get(), &info, DIB_RGB_COLORS, &b, nullptr, 0));
                }));
    std::printf("  BitBlt 1x1 from the screen + GdiFlush  %7.3f\n", median([&] {
                    BitBlt(heldMemory.get(), 0, 0, 1, 1, held.get(), 200, 200, SRCCOPY);
                    GdiFlush();
                }));
    std::printf("  GetPixel on a held screen DC          %7.3f\n", median([&] { GetPixel(held.get(), 200, 200); }));
    std::printf("  whole capture of 1x1 (Win32Screen)     %7.3f\n",
                median([&] { screen.capture(ScreenRect{200, 200, 201, 201}); }));
}

}  // namespace

void colourSearch() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = patternProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TapplingBenchPattern";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    pumpFor(300);

    fixedCostBreakdown();
    Win32Platform win32;
    MacroPlayer player(win32.platform());
    std::printf("\ncolour search, absent colour (whole rectangle scanned), ms per search\n");
    std::printf("%6s %8s | %28s | %28s | %9s | %s\n", "range", "pixels", "capture+scan min/median/max",
                "GetPixel loop min/median/max", "speedup", "same offset (colour at the far corner)");
    const struct {
        int range, captureRuns, pixelRuns;
    } cases[] = {{0, 200, 200}, {1, 200, 100}, {10, 100, 10}, {50, 50, 3}, {100, 20, 2}};
    for (const auto& c : cases) {
        const int cx = 200, cy = 200;
        int32_t dx = 0, dy = 0;
        const auto capture = timeRuns(c.captureRuns, [&] { player.findColour(kAbsent, cx, cy, c.range, c.range, dx, dy); });
        const auto pixel = timeRuns(c.pixelRuns, [&] { perPixelSearch(kAbsent, cx, cy, c.range, c.range); });
        const int side = 2 * c.range + 1;
        const double cm = capture[capture.size() / 2], pm = pixel[pixel.size() / 2];

        // A colour present only at the last pixel scanned: both must report its offset.
        WindowDc dc;
        const auto present = static_cast<uint32_t>(GetPixel(dc.get(), cx + c.range, cy + c.range));
        int32_t foundDx = -999, foundDy = -999;
        const bool found = player.findColour(present, cx, cy, c.range, c.range, foundDx, foundDy);
        const auto expected = perPixelSearch(present, cx, cy, c.range, c.range);
        const bool same = found && expected && expected->first == foundDx && expected->second == foundDy;
        std::printf("%6d %8d | %8.3f %9.3f %9.3f | %8.2f %9.2f %9.2f | %8.1fx | %s (%d,%d)\n", c.range, side * side,
                    capture.front(), cm, capture.back(), pixel.front(), pm, pixel.back(), cm > 0 ? pm / cm : 0.0,
                    same ? "yes" : "NO", foundDx, foundDy);
    }
    DestroyWindow(window);
}

}  // namespace tappling::bench
