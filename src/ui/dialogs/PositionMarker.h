// The arrow-shaped, always-on-top marker whose top-left corner marks one screen point.
// Locked it only shows where an action clicks (a double click asks for the editor);
// unlocked the user drags it to a new point. A modeless dialog: "ending" it hides it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/win32/GdiHandles.h"

namespace tappling {

class PositionMarker {
public:
    explicit PositionMarker(HINSTANCE instance);
    ~PositionMarker();
    PositionMarker(const PositionMarker&) = delete;
    PositionMarker& operator=(const PositionMarker&) = delete;

    void setTarget(int32_t x, int32_t y);
    // Creates the window on first use, shows it topmost at the target and clears editRequested.
    void showAtTarget();
    void hide();

    HWND window() const { return hwnd_; }

    int32_t locked = 0;
    int32_t editRequested = 0;
    int32_t actionIndex = 0;
    int32_t currentX = 0;
    int32_t currentY = 0;

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool create();
    void onInit();
    void buildShapeRegion();
    void applyRegion();
    void paint();
    bool onSetCursor(LPARAM lParam);
    bool onLeftDown(POINT client);
    void onMouseMove(POINT client);
    void onLeftUp();
    void onDoubleClick();
    void onMoved(const WINDOWPOS& pos);
    void endAsDialog();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    GdiObject<HRGN> shapeRegion_;
    HCURSOR dragCursor_ = nullptr;
    int32_t bitmapWidth_ = 0;
    int32_t bitmapHeight_ = 0;
    int32_t targetX_ = 0;
    int32_t targetY_ = 0;
    int32_t dragging_ = 0;
    int32_t movedDuringDrag_ = 0;
    int32_t grabX_ = 0;
    int32_t grabY_ = 0;
    RECT dragRect_{};
};

}  // namespace tappling
