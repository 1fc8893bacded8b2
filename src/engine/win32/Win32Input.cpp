#include "engine/win32/Win32Input.h"

#include <windows.h>

namespace tappling {

void Win32Input::setCursorPos(int32_t x, int32_t y) { SetCursorPos(x, y); }

void Win32Input::clipCursorFree() { ClipCursor(nullptr); }

std::optional<Point> Win32Input::cursorPos() {
    POINT p{};
    if (!GetCursorPos(&p)) return std::nullopt;  // e.g. while another desktop is shown
    return Point{p.x, p.y};
}

void Win32Input::mouseButton(uint32_t flag) {
    // Extra info read just before, so hooks see the value of the message being handled.
    const auto extra = static_cast<ULONG_PTR>(GetMessageExtraInfo());
    mouse_event(flag, 0, 0, 0, extra);
}

void Win32Input::key(uint8_t vk, uint32_t flags) { keybd_event(vk, 0, flags, 0); }

}  // namespace tappling
