#include "engine/TestWindow.h"

#include <windowsx.h>

#include "apps/PaintPixels.h"

namespace tappling::test {

namespace {

constexpr wchar_t kClassName[] = L"TapplingTestWindow";

void registerClassOnce(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

void pumpFor(DWORD ms) {
    pumpUntil([] { return false; }, ms);
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

uint32_t patternColour(int x, int y) {
    // COLORREF 0x00BBGGRR: red from x, green from y, a fixed blue.
    return RGB(x & 255, y & 255, 0x5A);
}

TestWindow::TestWindow(int x, int y, int width, int height, bool pattern) : pattern_(pattern) {
    registerClassOnce(windowProc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"test", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_) UpdateWindow(hwnd_);
    pumpFor(50);
}

TestWindow::~TestWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    pumpFor(20);
}

void TestWindow::activate() {
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    SetFocus(hwnd_);
    pumpUntil([this] { return GetForegroundWindow() == hwnd_ && GetFocus() == hwnd_; }, 2000);
}

bool TestWindow::received(UINT message) const {
    for (const auto& m : messages_) {
        if (m.message == message) return true;
    }
    return false;
}

LRESULT CALLBACK TestWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        self->messages_.push_back({message, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        self->messages_.push_back({message, wParam, POINT{0, 0}});
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: self->paint(); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void TestWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    paintPixels(hwnd_, dc, [this](int x, int y) { return pattern_ ? patternColour(x, y) : RGB(255, 255, 255); });
    EndPaint(hwnd_, &ps);
}

}  // namespace tappling::test
