#include "ui/dialogs/PositionMarker.h"

#include <windowsx.h>

#include <utility>

#include "resource.h"
#include "ui/DpiBitmap.h"

namespace tappling {

namespace {

constexpr COLORREF kKeyColour = 0x00FF00FF;
constexpr UINT kHideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW;

// Shows the wait cursor for a scope.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

PositionMarker::PositionMarker(HINSTANCE instance) : instance_(instance) {}

PositionMarker::~PositionMarker() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

void PositionMarker::showLocked(int32_t x, int32_t y, int32_t actionIndex) {
    mode_ = Mode::Locked;
    actionIndex_ = actionIndex;
    showAt(x, y);
}

void PositionMarker::showDraggable(int32_t x, int32_t y) {
    mode_ = Mode::Draggable;
    showAt(x, y);
}

void PositionMarker::showAt(int32_t x, int32_t y) {
    targetX_ = x;
    targetY_ = y;
    if (!hwnd_ && !create()) return;
    ShowWindow(hwnd_, SW_SHOW);
    applyRegion();
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
    currentX_ = x;
    currentY_ = y;
    editRequested_ = false;
}

void PositionMarker::hide() {
    if (hwnd_) SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, kHideFlags);
}

bool PositionMarker::create() {
    HWND hwnd = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_MARKER), GetDesktopWindow(), dialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (!hwnd) return false;
    // Only a tool window: no taskbar button, no other extended style.
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return true;
}

INT_PTR CALLBACK PositionMarker::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<PositionMarker*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        self->onInit();
        return TRUE;
    }
    auto* self = reinterpret_cast<PositionMarker*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    return self->handle(message, wParam, lParam);
}

INT_PTR PositionMarker::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: paint(); return TRUE;
    case WM_ERASEBKGND: SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 1); return TRUE;  // paint covers it all
    case WM_SETCURSOR: return onSetCursor(lParam) ? TRUE : FALSE;
    case WM_LBUTTONDOWN: return onLeftDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) ? TRUE : FALSE;
    case WM_MOUSEMOVE: onMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return FALSE;
    case WM_LBUTTONUP: onLeftUp(); return FALSE;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_) dragging_ = movedDuringDrag_ = 0;
        return FALSE;
    case WM_LBUTTONDBLCLK: onDoubleClick(); return TRUE;
    case WM_WINDOWPOSCHANGED: onMoved(*reinterpret_cast<const WINDOWPOS*>(lParam)); return FALSE;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) endAsDialog();
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) endAsDialog();
        return TRUE;
    case WM_CLOSE: endAsDialog(); return TRUE;
    default: return FALSE;
    }
}

void PositionMarker::onInit() {
    dragging_ = 0;
    movedDuringDrag_ = 0;
    dragCursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDC_MARKER_DRAG));
    // A DIB section keeps the palette colours exact, whatever the display depth.
    bitmap_.reset(static_cast<HBITMAP>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IDB_MARKER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    // Drawn for 96 dpi: at 150 % it is half as large again, its tip still the marked point.
    if (GdiObject<HBITMAP> enlarged = enlargedForDpi(bitmap_.get(), GetDpiForWindow(hwnd_))) bitmap_ = std::move(enlarged);
    buildShapeRegion();
    applyRegion();
}

void PositionMarker::buildShapeRegion() {
    WaitCursor wait;
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_.get(), sizeof(info), &info)) return;
    bitmapWidth_ = info.bmWidth;
    bitmapHeight_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    shapeRegion_.reset(CreateRectRgn(0, 0, bitmapWidth_, bitmapHeight_));

    WindowDc windowDc(hwnd_);
    MemoryDc memoryDc(windowDc.get());
    if (!memoryDc.get()) return;
    Selection selected(memoryDc.get(), bitmap_.get());
    for (int32_t y = 0; y < bitmapHeight_; ++y) {
        for (int32_t x = 0; x < bitmapWidth_; ++x) {
            if (GetPixel(memoryDc.get(), x, y) != kKeyColour) continue;
            GdiObject<HRGN> pixel(CreateRectRgn(x, y, x + 1, y + 1));
            CombineRgn(shapeRegion_.get(), shapeRegion_.get(), pixel.get(), RGN_XOR);
        }
    }
}

void PositionMarker::applyRegion() {
    if (shapeRegion_) {
        GdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(copy.get(), shapeRegion_.get(), nullptr, RGN_COPY);
        // The window owns the region it is given (and frees the one it had).
        if (SetWindowRgn(hwnd_, copy.get(), TRUE)) copy.release();
    }
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, bitmapWidth_, bitmapHeight_, SWP_NOMOVE);
}

void PositionMarker::paint() {
    PaintScope scope(hwnd_);
    if (!bitmap_ || !scope.dc()) return;
    // Off-screen first, then one copy to the window, so it never flickers while dragged.
    MemoryDc buffer(scope.dc());
    GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(scope.dc(), bitmapWidth_, bitmapHeight_));
    MemoryDc picture(scope.dc());
    if (!buffer.get() || !canvas || !picture.get()) return;
    Selection canvasSelected(buffer.get(), canvas.get());
    Selection pictureSelected(picture.get(), bitmap_.get());
    BitBlt(buffer.get(), 0, 0, bitmapWidth_, bitmapHeight_, picture.get(), 0, 0, SRCCOPY);
    BitBlt(scope.dc(), 0, 0, bitmapWidth_, bitmapHeight_, buffer.get(), 0, 0, SRCCOPY);
}

bool PositionMarker::onSetCursor(LPARAM lParam) {
    if (mode_ == Mode::Locked || LOWORD(lParam) != HTCLIENT || !dragCursor_) return false;
    SetCursor(dragCursor_);
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
    return true;
}

bool PositionMarker::onLeftDown(POINT client) {
    if (mode_ == Mode::Locked) return true;  // swallowed
    if (!dragging_) {
        dragging_ = 1;
        SetCapture(hwnd_);
        GetWindowRect(hwnd_, &dragRect_);
        grabX_ = client.x;
        grabY_ = client.y;
        movedDuringDrag_ = 0;
    }
    return false;
}

void PositionMarker::onMouseMove(POINT client) {
    if (!dragging_ || (client.x == grabX_ && client.y == grabY_)) return;
    const int32_t dx = client.x - grabX_;
    const int32_t dy = client.y - grabY_;
    SetWindowPos(hwnd_, HWND_TOPMOST, dragRect_.left + dx, dragRect_.top + dy, 0, 0, SWP_NOSIZE);
    OffsetRect(&dragRect_, dx, dy);
    movedDuringDrag_ = 1;
}

void PositionMarker::onLeftUp() {
    // Read before releasing: the release reports a capture change, which ends a drag.
    const bool finishMove = dragging_ && movedDuringDrag_;
    ReleaseCapture();
    if (finishMove) {
        SetWindowPos(hwnd_, HWND_TOPMOST, dragRect_.left, dragRect_.top, 0, 0, SWP_NOSIZE);
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
    movedDuringDrag_ = 0;
    dragging_ = 0;
}

void PositionMarker::onDoubleClick() {
    if (mode_ != Mode::Locked) return;
    editRequested_ = true;
    endAsDialog();
    if (onEditRequest_) onEditRequest_(actionIndex_);
}

void PositionMarker::onMoved(const WINDOWPOS& pos) {
    if (pos.flags & SWP_NOMOVE) return;
    currentX_ = pos.x;
    currentY_ = pos.y;
}

void PositionMarker::endAsDialog() {
    // Modeless: ending the dialog only hides it, so no modal loop of the owner ends with it.
    ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace tappling
