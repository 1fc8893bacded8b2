// The system as playback and recording see it: a few small interfaces over exactly the
// Win32 calls they need. WinMain wires in the Win32 implementations (engine/win32);
// unit tests use a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tappling {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// Half-open screen rectangle: left <= x < right, top <= y < bottom.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// mouse_event button flags
constexpr uint32_t kLeftDown = 0x0002;
constexpr uint32_t kLeftUp = 0x0004;
constexpr uint32_t kRightDown = 0x0008;
constexpr uint32_t kRightUp = 0x0010;

// keybd_event flags
constexpr uint32_t kKeyDown = 0x0;
constexpr uint32_t kExtendedKey = 0x1;
constexpr uint32_t kExtendedKeyUp = 0x3;

// Virtual keys
constexpr uint8_t kVkLButton = 0x01;
constexpr uint8_t kVkRButton = 0x02;
constexpr uint8_t kVkTab = 0x09;
constexpr uint8_t kVkReturn = 0x0D;
constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkEscape = 0x1B;
constexpr uint8_t kVkLeft = 0x25;
constexpr uint8_t kVkUp = 0x26;
constexpr uint8_t kVkRight = 0x27;
constexpr uint8_t kVkDown = 0x28;
constexpr uint8_t kVkDelete = 0x2E;
constexpr uint8_t kVkA = 0x41;
constexpr uint8_t kVkC = 0x43;
constexpr uint8_t kVkV = 0x56;
constexpr uint8_t kVkF2 = 0x71;

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t tickCount() = 0;  // GetTickCount: ms, wraps modulo 2^32
};

class InputSink {
public:
    virtual ~InputSink() = default;
    virtual void setCursorPos(int32_t x, int32_t y) = 0;
    virtual void clipCursorFree() = 0;                 // ClipCursor(nullptr)
    virtual std::optional<Point> cursorPos() = 0;  // nothing when the system cannot tell
    virtual void mouseButton(uint32_t flag) = 0;       // one button transition at the pointer
    virtual void key(uint8_t vk, uint32_t flags) = 0;  // keybd_event, scan code 0
};

class KeyState {
public:
    virtual ~KeyState() = default;
    // GetAsyncKeyState: non-zero when down now or pressed since the previous query of vk.
    virtual uint16_t asyncKeyState(uint8_t vk) = 0;
};

// Pixels as COLORREF 0x00BBGGRR, row-major over the captured rectangle.
struct PixelCapture {
    ScreenRect rect;
    std::vector<uint32_t> pixels;
    uint32_t at(int32_t x, int32_t y) const {
        const auto width = static_cast<size_t>(rect.right - rect.left);
        return pixels[static_cast<size_t>(y - rect.top) * width + static_cast<size_t>(x - rect.left)];
    }
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenRect virtualScreen() = 0;  // the union of all monitors
    // One capture of a rectangle inside the virtual screen; nullopt when no device
    // context could be had or the capture failed.
    virtual std::optional<PixelCapture> capture(const ScreenRect& rect) = 0;
    virtual std::optional<uint32_t> pixelAt(int32_t x, int32_t y) = 0;
    virtual uint32_t doubleClickTime() = 0;
    virtual Point doubleClickSize() = 0;  // SM_CXDOUBLECLK, SM_CYDOUBLECLK
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Places the bytes (ANSI code page) as CF_TEXT; false when the clipboard could not be opened.
    virtual bool setText(const std::string& ansiText) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecute "open"; called from the file-run worker thread, so implementations
    // must be safe to call from any thread.
    virtual void open(const std::string& ansiPath, bool maximized) = 0;
};

class SystemPower {
public:
    virtual ~SystemPower() = default;
    virtual void shutdown() = 0;  // token privilege, then ExitWindowsEx; may do nothing
};

// rand() after srand(time): values 0..32767.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int next() = 0;
};

// Everything the engine touches, passed by reference to the player.
struct Platform {
    Clock& clock;
    InputSink& input;
    KeyState& keys;
    Screen& screen;
    Clipboard& clipboard;
    Shell& shell;
    SystemPower& power;
    RandomSource& random;
};

}  // namespace tappling
