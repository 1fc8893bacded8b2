// A target window for the Win32 and end-to-end tests: it logs the input it receives.
//
// Command line:
//   TargetApp.exe LOGFILE [X Y WIDTH HEIGHT] [--pattern] [--dot CX CY COLOUR] [--focus-edit] [--topmost]
//     LOGFILE   written from scratch, one line per event, flushed after each line
//     X Y WIDTH HEIGHT  outer window rectangle in physical screen pixels (default 100 100 320 240)
//     --pattern paint the client area with the test pattern RGB(x & 255, y & 255, 128)
//               (client coordinates) instead of white
//     --dot     paint one pixel of COLOUR (COLORREF 0x00BBGGRR, decimal or 0x hex) at client (CX, CY)
//     --focus-edit  give the edit box the keyboard focus at start (else the window keeps it)
//     --topmost keep the window above others
// The window is a popup without frame, so client and window origins coincide. An edit box
// fills the bottom 24 pixels of the client area; Ctrl+V anywhere pastes into it.
//
// Log lines, each starting with GetTickCount in decimal:
//   T ready HWND CLIENTX CLIENTY     once shown (HWND in hex; client origin in screen pixels)
//   T down L|R X Y                   button pressed at screen (X, Y)
//   T up L|R X Y                     button released
//   T dblclk L|R X Y                 double click
//   T key VK                         key down (decimal virtual-key code), in the window or the edit
//   T keyup VK                       key up
//   T char TEXT                      WM_CHAR as UTF-8 (control characters as \xNN)
//   T edit TEXT                      the edit box's whole text (UTF-8) after every change
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "PaintPixels.h"

namespace {

constexpr int kEditHeight = 24;
constexpr int kEditId = 100;

struct Options {
    std::wstring logPath;
    int x = 100, y = 100, width = 320, height = 240;
    bool pattern = false;
    bool dot = false;
    int dotX = 0, dotY = 0;
    COLORREF dotColour = 0;
    bool focusEdit = false;
    bool topmost = false;
};

struct App {
    Options options;
    FILE* log = nullptr;
    HWND window = nullptr;
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
    wchar_t pendingHighSurrogate = 0;
};

App app;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || c == 0x7F || c == '\\') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void logLine(const std::string& text) {
    if (!app.log) return;
    std::fprintf(app.log, "%lu %s\n", static_cast<unsigned long>(GetTickCount()), text.c_str());
    std::fflush(app.log);
}

void logMouse(const char* what, const char* button, LPARAM lParam, HWND from) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(from, &p);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s %s %ld %ld", what, button, static_cast<long>(p.x), static_cast<long>(p.y));
    logLine(buf);
}

void logKey(const char* what, WPARAM vk) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s %u", what, static_cast<unsigned>(vk));
    logLine(buf);
}

void logChar(wchar_t c) {
    std::wstring text;
    if (c >= 0xD800 && c <= 0xDBFF) {
        app.pendingHighSurrogate = c;
        return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF && app.pendingHighSurrogate) text += app.pendingHighSurrogate;
    app.pendingHighSurrogate = 0;
    text += c;
    logLine("char " + escaped(utf8(text)));
}

void logEditText() {
    const int n = GetWindowTextLengthW(app.edit);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(app.edit, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    logLine("edit " + escaped(utf8(text)));
}

bool ctrlV(WPARAM vk) { return vk == 'V' && GetKeyState(VK_CONTROL) < 0; }

// Keys typed into the edit box are logged like the window's own.
LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN: logKey("key", wParam); break;
    case WM_KEYUP: logKey("keyup", wParam); break;
    case WM_CHAR: logChar(static_cast<wchar_t>(wParam)); break;
    default: break;
    }
    return CallWindowProcW(app.editProc, hwnd, message, wParam, lParam);
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const Options& o = app.options;
    paintPixels(hwnd, dc, [&o](int x, int y) {
        if (o.dot && x == o.dotX && y == o.dotY) return o.dotColour;
        return o.pattern ? RGB(x & 255, y & 255, 128) : RGB(255, 255, 255);
    });
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: logMouse("down", "L", lParam, hwnd); return 0;
    case WM_LBUTTONUP: logMouse("up", "L", lParam, hwnd); return 0;
    case WM_LBUTTONDBLCLK: logMouse("dblclk", "L", lParam, hwnd); return 0;
    case WM_RBUTTONDOWN: logMouse("down", "R", lParam, hwnd); return 0;
    case WM_RBUTTONUP: logMouse("up", "R", lParam, hwnd); return 0;
    case WM_RBUTTONDBLCLK: logMouse("dblclk", "R", lParam, hwnd); return 0;
    case WM_KEYDOWN:
        logKey("key", wParam);
        if (ctrlV(wParam)) SendMessageW(app.edit, WM_PASTE, 0, 0);
        return 0;
    case WM_KEYUP: logKey("keyup", wParam); return 0;
    case WM_CHAR: logChar(static_cast<wchar_t>(wParam)); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) logEditText();
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool parseInt(const wchar_t* text, int& out) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 0);
    if (!end || *end || end == text) return false;
    out = static_cast<int>(value);
    return true;
}

bool parse(int argc, wchar_t** argv, Options& o) {
    if (argc < 2) return false;
    o.logPath = argv[1];
    int i = 2;
    if (i + 3 < argc && argv[i][0] != L'-') {
        if (!parseInt(argv[i], o.x) || !parseInt(argv[i + 1], o.y) || !parseInt(argv[i + 2], o.width) ||
            !parseInt(argv[i + 3], o.height)) {
            return false;
        }
        i += 4;
    }
    for (; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--pattern") {
            o.pattern = true;
        } else if (arg == L"--focus-edit") {
            o.focusEdit = true;
        } else if (arg == L"--topmost") {
            o.topmost = true;
        } else if (arg == L"--dot" && i + 3 < argc) {
            int colour = 0;
            if (!parseInt(argv[i + 1], o.dotX) || !parseInt(argv[i + 2], o.dotY) || !parseInt(argv[i + 3], colour)) {
                return false;
            }
            o.dotColour = static_cast<COLORREF>(colour) & 0x00FFFFFF;
            o.dot = true;
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool ok = argv && parse(argc, argv, app.options);
    if (argv) LocalFree(argv);
    if (!ok) return 2;
    // Physical pixels, as Tappling uses them: on a scaled display a DPI-unaware window
    // would be placed and told its clicks in scaled coordinates.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

    app.log = _wfopen(app.options.logPath.c_str(), L"wb");
    if (!app.log) return 3;

    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TapplingTargetApp";
    if (!RegisterClassW(&wc)) return 4;

    const Options& o = app.options;
    app.window = CreateWindowExW(o.topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, L"Tappling target", WS_POPUP,
                                 o.x, o.y, o.width, o.height, nullptr, nullptr, instance, nullptr);
    if (!app.window) return 5;
    app.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0,
                               o.height - kEditHeight, o.width, kEditHeight, app.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    app.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(app.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));

    ShowWindow(app.window, SW_SHOW);
    UpdateWindow(app.window);
    SetForegroundWindow(app.window);
    SetFocus(o.focusEdit ? app.edit : app.window);

    POINT origin{0, 0};
    ClientToScreen(app.window, &origin);
    char buf[96];
    std::snprintf(buf, sizeof buf, "ready %llx %ld %ld",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(app.window)),
                  static_cast<long>(origin.x), static_cast<long>(origin.y));
    logLine(buf);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::fclose(app.log);
    return 0;
}
