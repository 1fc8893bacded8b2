// A recording stand-in for every platform interface: each call is logged in order, and
// the answers (clock, key presses, pixels, clipboard, random values) are scripted by
// the test. The shell may be called from the file-run worker, so the log and the shell
// are thread-safe.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Platform.h"

namespace tappling::fake {

enum class EventKind {
    SetCursorPos, ClipCursorFree, CursorPos, MouseButton, Key,  // input
    KeyQuery, TickCount,                                        // polling
    VirtualScreen, Capture, PixelAt, DoubleClickTime, DoubleClickSize,
    ClipboardSet, ShellOpen, Shutdown, Random,
};

struct Event {
    EventKind kind;
    std::string text;  // e.g. "cursor 100,200", "mouse LeftDown", "key 0x11 0x1"
};

class EventLog {
public:
    void add(EventKind kind, std::string text);
    std::vector<Event> all() const;
    // Texts of the events of the given kinds, in order (all kinds when empty).
    std::vector<std::string> texts(std::vector<EventKind> kinds = {}) const;
    // Pointer, button and key injection, clipboard, shell and shutdown: what the
    // system would see; polling and clock reads are left out.
    std::vector<std::string> effects() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<Event> events_;
};

class FakeClock : public Clock {
public:
    explicit FakeClock(EventLog& log) : log_(log) {}
    uint32_t tickCount() override;
    void set(uint32_t now) { now_ = now; }
    void advance(uint32_t ms) { now_ += ms; }
    uint32_t now() const { return now_; }
    bool logReads = false;  // clock reads are frequent; log them only when asked

private:
    EventLog& log_;
    uint32_t now_ = 1000;
};

class FakeInput : public InputSink {
public:
    explicit FakeInput(EventLog& log) : log_(log) {}
    void setCursorPos(int32_t x, int32_t y) override;
    void clipCursorFree() override;
    std::optional<Point> cursorPos() override;
    void mouseButton(uint32_t flag) override;
    void key(uint8_t vk, uint32_t flags) override;
    Point position;
    bool cursorFails = false;  // the position cannot be read
    std::vector<uint32_t> buttons;  // every button flag sent, in order

private:
    EventLog& log_;
};

// GetAsyncKeyState as the engine relies on it: non-zero when the key is down now or was
// pressed since the previous query of that key; a query consumes earlier presses.
class FakeKeys : public KeyState {
public:
    FakeKeys(EventLog& log, const FakeClock& clock) : log_(log), clock_(clock) {}
    uint16_t asyncKeyState(uint8_t vk) override;
    // A press at tick `at`, held for `heldMs` (0: pressed and released at once).
    void press(uint8_t vk, uint32_t at, uint32_t heldMs = 0);
    // Down now (and pressed) until release().
    void hold(uint8_t vk);
    void release(uint8_t vk);
    int queries(uint8_t vk) const;
    // As Wine answers: every fresh read refreshes a cache of all keys, and for upCacheMs
    // after it a key that was up (and not pressed) then reads as up without a fresh
    // read (0: no cache).
    uint32_t upCacheMs = 0;

private:
    struct Press {
        uint32_t at;
        uint32_t heldMs;
        bool seen = false;
    };
    EventLog& log_;
    const FakeClock& clock_;
    std::map<uint8_t, std::vector<Press>> presses_;
    std::map<uint8_t, bool> held_;
    std::map<uint8_t, bool> heldSeen_;
    std::map<uint8_t, int> queries_;
    bool busy(uint8_t vk, uint32_t now) const;  // down, or pressed and not yet reported
    std::optional<uint32_t> lastFreshRead_;
    std::map<uint8_t, bool> busyAtFreshRead_;
};

class FakeScreen : public Screen {
public:
    explicit FakeScreen(EventLog& log) : log_(log) {}
    ScreenRect virtualScreen() override;
    std::optional<PixelCapture> capture(const ScreenRect& rect) override;
    std::optional<uint32_t> pixelAt(int32_t x, int32_t y) override;
    uint32_t doubleClickTime() override;
    Point doubleClickSize() override;

    void setPixel(int32_t x, int32_t y, uint32_t colour) { pixels_[{x, y}] = colour; }
    uint32_t colourAt(int32_t x, int32_t y) const;  // CLR_INVALID off the screen

    ScreenRect screen{0, 0, 1920, 1080};
    uint32_t background = 0x00FFFFFF;
    bool captureFails = false;
    uint32_t clickTime = 500;
    Point clickSize{4, 4};
    std::vector<ScreenRect> captures;
    int capturesOutsideScreen = 0;  // requests reaching beyond the virtual screen

private:
    EventLog& log_;
    std::map<std::pair<int32_t, int32_t>, uint32_t> pixels_;
};

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(EventLog& log) : log_(log) {}
    bool setText(const std::string& ansiText) override;
    bool succeeds = true;
    std::string text;  // what the clipboard holds

private:
    EventLog& log_;
};

class FakeShell : public Shell {
public:
    explicit FakeShell(EventLog& log) : log_(log) {}
    void open(const std::string& ansiPath, bool maximized) override;

    // While blocked, open() waits inside the call (a shell that hangs) until unblock().
    void block();
    void unblock();
    // Waits (up to a generous safety limit) until n calls have started / returned.
    bool waitForCalls(size_t n);
    bool waitForReturns(size_t n);
    std::vector<std::pair<std::string, bool>> calls() const;

private:
    EventLog& log_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool blocked_ = false;
    size_t returns_ = 0;
    std::vector<std::pair<std::string, bool>> calls_;
};

class FakePower : public SystemPower {
public:
    explicit FakePower(EventLog& log) : log_(log) {}
    void shutdown() override;
    int shutdowns = 0;

private:
    EventLog& log_;
};

// Scripted values first, then the generator (0 when there is none).
class FakeRandom : public RandomSource {
public:
    explicit FakeRandom(EventLog& log) : log_(log) {}
    int next() override;
    std::vector<int> script;
    std::function<int()> generator;
    int draws = 0;

private:
    EventLog& log_;
    size_t scriptPos_ = 0;
};

struct FakePlatform {
    EventLog log;
    FakeClock clock{log};
    FakeInput input{log};
    FakeKeys keys{log, clock};
    FakeScreen screen{log};
    FakeClipboard clipboard{log};
    FakeShell shell{log};
    FakePower power{log};
    FakeRandom random{log};
    Platform platform{clock, input, keys, screen, clipboard, shell, power, random};
};

}  // namespace tappling::fake
