// Stops a run when the user takes the mouse or the keyboard. While a run plays, low-level
// hooks report every input event here; an event the program did not make itself stops the
// run as ESC does. The hooks' injected flag marks input sent with SendInput, but the
// player's own SetCursorPos comes back as a move without the flag, at the point it set,
// so such a move counts as the program's own whatever its flag.
#pragma once

#include <array>
#include <cstddef>

#include "engine/Platform.h"

namespace tappling {

enum class InputKind { Move, ButtonDown, KeyDown };

struct ObservedInput {
    InputKind kind = InputKind::Move;
    bool injected = false;
    Point point;  // the pointer, for moves
};

class ManualInputWatch;

// The system's low-level mouse and keyboard hooks, installed only while a run plays.
class InputHooks {
public:
    virtual ~InputHooks() = default;
    // Starts reporting every event to watch.observe; false when the hooks could not be set.
    virtual bool install(ManualInputWatch& watch) = 0;
    virtual void remove() = 0;
};

class ManualInputWatch {
public:
    // A real move stops the run once the pointer is more than this many pixels (in x or y)
    // from where the program last put it; a hand resting on the mouse does not.
    static constexpr int32_t kMoveThreshold = 4;

    explicit ManualInputWatch(InputHooks& hooks) : hooks_(hooks) {}
    ~ManualInputWatch() { disarm(); }
    ManualInputWatch(const ManualInputWatch&) = delete;
    ManualInputWatch& operator=(const ManualInputWatch&) = delete;

    // A run starts or resumes with the pointer at `pointer`, on a screen that clips the
    // pointer to `screen`: installs the hooks.
    void arm(Point pointer, const ScreenRect& screen);
    void disarm();
    bool armed() const { return armed_; }

    // The player is about to put the pointer at p.
    void ownMove(Point p);

    // One event from the hooks; returns at once.
    void observe(const ObservedInput& input);

    // The user's hand was seen since the watch was armed (never once disarmed).
    bool tripped() const { return armed_ && tripped_; }

private:
    Point clamped(Point p) const;

    InputHooks& hooks_;
    bool armed_ = false;
    bool tripped_ = false;
    ScreenRect screen_;
    Point anchor_;                          // where the program last put the pointer
    std::array<Point, 16> recentOwn_{};     // its last points: an echo may come some ms late
    size_t recentCount_ = 0;
    size_t recentNext_ = 0;
};

}  // namespace tappling
