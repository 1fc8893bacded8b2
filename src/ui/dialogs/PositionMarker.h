// The arrow-shaped, always-on-top marker whose top-left corner marks one screen point.
// Locked it only shows where an action clicks (a double click asks for the editor);
// unlocked the user drags it to a new point. A modeless dialog: "ending" it hides it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "win32/Handles.h"

namespace tappling {

class PositionMarker {
public:
    explicit PositionMarker(HINSTANCE instance);
    ~PositionMarker();
    PositionMarker(const PositionMarker&) = delete;
    PositionMarker& operator=(const PositionMarker&) = delete;

    enum class Mode { Locked, Draggable };

    // Each creates the window on first use, shows it topmost with its tip at (x, y) and
    // clears a pending edit request. Locked it stands for the action at actionIndex.
    void showLocked(int32_t x, int32_t y, int32_t actionIndex);
    void showDraggable(int32_t x, int32_t y);
    // Shows it again where it was last shown, locked on the same action.
    void showLockedAgain() { showLocked(targetX_, targetY_, actionIndex_); }
    void hide();
    // Changes the mode without moving or showing it.
    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }

    // Called when the user double-clicks the locked marker (which then hides).
    void onEditRequest(std::function<void(int32_t actionIndex)> handler) { onEditRequest_ = std::move(handler); }
    bool editRequested() const { return editRequested_; }
    int32_t actionIndex() const { return actionIndex_; }

    // The point the tip is at now, dragged or not.
    POINT current() const { return {currentX_, currentY_}; }
    HWND window() const { return hwnd_; }

private:
    void showAt(int32_t x, int32_t y);

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
    Mode mode_ = Mode::Draggable;
    bool editRequested_ = false;
    int32_t actionIndex_ = 0;
    std::function<void(int32_t)> onEditRequest_;
    int32_t currentX_ = 0;
    int32_t currentY_ = 0;
    int32_t targetX_ = 0;
    int32_t targetY_ = 0;
    int32_t dragging_ = 0;
    int32_t movedDuringDrag_ = 0;
    int32_t grabX_ = 0;
    int32_t grabY_ = 0;
    RECT dragRect_{};
};

}  // namespace tappling
