#include "engine/win32/Win32InputHooks.h"

#include <windows.h>

namespace tappling {
namespace {

// A low-level hook procedure gets no context of its own; one watch at a time listens.
ManualInputWatch* g_watch = nullptr;
HHOOK g_mouseHook = nullptr;
HHOOK g_keyboardHook = nullptr;

// Both hooks only note the event and pass it on at once: they never hold up the input.
LRESULT CALLBACK mouseHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && g_watch != nullptr) {
        const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        const bool injected = (event.flags & LLMHF_INJECTED) != 0;
        switch (message) {
            case WM_MOUSEMOVE:
                g_watch->observe({InputKind::Move, injected, Point{event.pt.x, event.pt.y}});
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_XBUTTONDOWN:
                g_watch->observe({InputKind::ButtonDown, injected, Point{event.pt.x, event.pt.y}});
                break;
            default:
                break;
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK keyboardHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && g_watch != nullptr && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        g_watch->observe({InputKind::KeyDown, (event.flags & LLKHF_INJECTED) != 0, Point{}});
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

bool Win32InputHooks::install(ManualInputWatch& watch) {
    remove();
    const HINSTANCE module = GetModuleHandleW(nullptr);
    g_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, module, 0);
    g_keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, module, 0);
    if (g_mouseHook == nullptr || g_keyboardHook == nullptr) {
        remove();
        return false;
    }
    g_watch = &watch;
    return true;
}

void Win32InputHooks::remove() {
    if (g_mouseHook != nullptr) UnhookWindowsHookEx(g_mouseHook);
    if (g_keyboardHook != nullptr) UnhookWindowsHookEx(g_keyboardHook);
    g_mouseHook = nullptr;
    g_keyboardHook = nullptr;
    g_watch = nullptr;
}

}  // namespace tappling
