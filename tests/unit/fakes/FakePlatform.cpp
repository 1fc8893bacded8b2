#include "fakes/FakePlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tappling::fake {
namespace {

std::string hex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", value);
    return buffer;
}

std::string buttonName(uint32_t flag) {
    switch (flag) {
        case kLeftDown: return "LeftDown";
        case kLeftUp: return "LeftUp";
        case kRightDown: return "RightDown";
        case kRightUp: return "RightUp";
        default: return hex(flag);
    }
}

std::string rectText(const ScreenRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// True when tick `at` is not later than now, across the wrap of the clock.
bool reached(uint32_t now, uint32_t at) { return static_cast<int32_t>(now - at) >= 0; }

constexpr auto kSafetyLimit = std::chrono::seconds(10);

}  // namespace

void EventLog::add(EventKind kind, std::string text) {
    std::lock_guard lock(mutex_);
    events_.push_back({kind, std::move(text)});
}

std::vector<Event> EventLog::all() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<std::string> EventLog::texts(std::vector<EventKind> kinds) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const Event& e : events_) {
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end()) out.push_back(e.text);
    }
    return out;
}

std::vector<std::string> EventLog::effects() const {
    return texts({EventKind::SetCursorPos, EventKind::ClipCursorFree, EventKind::MouseButton, EventKind::Key,
                  EventKind::ClipboardSet, EventKind::ShellOpen, EventKind::Shutdown});
}

void EventLog::clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

uint32_t FakeClock::tickCount() {
    if (logReads) log_.add(EventKind::TickCount, "tick " + std::to_string(now_));
    return now_;
}

void FakeInput::setCursorPos(int32_t x, int32_t y) {
    position = {x, y};
    log_.add(EventKind::SetCursorPos, "cursor " + std::to_string(x) + "," + std::to_string(y));
}

void FakeInput::clipCursorFree() { log_.add(EventKind::ClipCursorFree, "clip-free"); }

std::optional<Point> FakeInput::cursorPos() {
    log_.add(EventKind::CursorPos, "get-cursor");
    if (cursorFails) return std::nullopt;
    return position;
}

void FakeInput::mouseButton(uint32_t flag) {
    buttons.push_back(flag);
    log_.add(EventKind::MouseButton, "mouse " + buttonName(flag));
}

void FakeInput::key(uint8_t vk, uint32_t flags) {
    log_.add(EventKind::Key, "key " + hex(vk) + " " + hex(flags));
}

uint16_t FakeKeys::asyncKeyState(uint8_t vk) {
    const uint32_t now = clock_.now();
    if (upCacheMs > 0 && lastFreshRead_ && now - *lastFreshRead_ < upCacheMs && !busyAtFreshRead_[vk]) {
        ++queries_[vk];
        log_.add(EventKind::KeyQuery, "query " + hex(vk) + " 0x0 cached");
        return 0;
    }
    bool downNow = held_[vk];
    bool pressedSince = false;
    if (downNow && !heldSeen_[vk]) {
        heldSeen_[vk] = true;
        pressedSince = true;
    }
    for (Press& p : presses_[vk]) {
        if (!reached(now, p.at)) continue;
        if (!p.seen) {
            p.seen = true;
            pressedSince = true;
        }
        if (now - p.at < p.heldMs) downNow = true;
    }
    const uint16_t result = static_cast<uint16_t>((downNow ? 0x8000 : 0) | (pressedSince ? 0x0001 : 0));
    if (upCacheMs > 0) {
        lastFreshRead_ = now;
        busyAtFreshRead_.clear();
        for (const auto& [key, presses] : presses_) busyAtFreshRead_[key] = busy(key, now);
        for (const auto& [key, down] : held_) busyAtFreshRead_[key] = busyAtFreshRead_[key] || down;
    }
    ++queries_[vk];
    log_.add(EventKind::KeyQuery, "query " + hex(vk) + " " + hex(result));
    return result;
}

bool FakeKeys::busy(uint8_t vk, uint32_t now) const {
    const auto it = presses_.find(vk);
    if (it == presses_.end()) return false;
    for (const Press& p : it->second) {
        if (reached(now, p.at) && (!p.seen || now - p.at < p.heldMs)) return true;
    }
    return false;
}

void FakeKeys::press(uint8_t vk, uint32_t at, uint32_t heldMs) { presses_[vk].push_back({at, heldMs}); }

void FakeKeys::hold(uint8_t vk) {
    held_[vk] = true;
    heldSeen_[vk] = false;
}

void FakeKeys::release(uint8_t vk) { held_[vk] = false; }

int FakeKeys::queries(uint8_t vk) const {
    const auto it = queries_.find(vk);
    return it == queries_.end() ? 0 : it->second;
}

ScreenRect FakeScreen::virtualScreen() {
    log_.add(EventKind::VirtualScreen, "virtual-screen");
    return screen;
}

uint32_t FakeScreen::colourAt(int32_t x, int32_t y) const {
    if (x < screen.left || x >= screen.right || y < screen.top || y >= screen.bottom) return 0xFFFFFFFF;
    const auto it = pixels_.find({x, y});
    return it == pixels_.end() ? background : it->second;
}

std::optional<PixelCapture> FakeScreen::capture(const ScreenRect& rect) {
    log_.add(EventKind::Capture, "capture " + rectText(rect));
    captures.push_back(rect);
    if (rect.left < screen.left || rect.top < screen.top || rect.right > screen.right ||
        rect.bottom > screen.bottom) {
        ++capturesOutsideScreen;
    }
    if (captureFails || rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
    PixelCapture result{rect, {}};
    result.pixels.reserve(static_cast<size_t>(rect.right - rect.left) * static_cast<size_t>(rect.bottom - rect.top));
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) result.pixels.push_back(colourAt(x, y));
    }
    return result;
}

std::optional<uint32_t> FakeScreen::pixelAt(int32_t x, int32_t y) {
    log_.add(EventKind::PixelAt, "pixel " + std::to_string(x) + "," + std::to_string(y));
    if (captureFails) return std::nullopt;
    return colourAt(x, y);
}

uint32_t FakeScreen::doubleClickTime() {
    log_.add(EventKind::DoubleClickTime, "double-click-time");
    return clickTime;
}

Point FakeScreen::doubleClickSize() {
    log_.add(EventKind::DoubleClickSize, "double-click-size");
    return clickSize;
}

bool FakeClipboard::setText(const std::string& ansiText) {
    log_.add(EventKind::ClipboardSet, (succeeds ? "clipboard " : "clipboard-failed ") + ansiText);
    if (succeeds) text = ansiText;
    return succeeds;
}

void FakeShell::open(const std::string& ansiPath, bool maximized) {
    {
        std::lock_guard lock(mutex_);
        calls_.emplace_back(ansiPath, maximized);
    }
    log_.add(EventKind::ShellOpen, "shell " + ansiPath + (maximized ? " maximized" : " normal"));
    std::unique_lock lock(mutex_);
    changed_.notify_all();
    changed_.wait(lock, [this] { return !blocked_; });
    ++returns_;
    changed_.notify_all();
}

void FakeShell::block() {
    std::lock_guard lock(mutex_);
    blocked_ = true;
}

void FakeShell::unblock() {
    std::lock_guard lock(mutex_);
    blocked_ = false;
    changed_.notify_all();
}

bool FakeShell::waitForCalls(size_t n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyLimit, [&] { return calls_.size() >= n; });
}

bool FakeShell::waitForReturns(size_t n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyLimit, [&] { return returns_ >= n; });
}

std::vector<std::pair<std::string, bool>> FakeShell::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void FakePower::shutdown() {
    ++shutdowns;
    log_.add(EventKind::Shutdown, "shutdown");
}

int FakeRandom::next() {
    ++draws;
    int value = 0;
    if (scriptPos_ < script.size()) {
        value = script[scriptPos_++];
    } else if (generator) {
        value = generator();
    }
    log_.add(EventKind::Random, "rand " + std::to_string(value));
    return value;
}

}  // namespace tappling::fake
