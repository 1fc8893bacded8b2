#include "engine/ManualInputWatch.h"

#include <algorithm>
#include <cstdlib>

namespace tappling {

void ManualInputWatch::arm(Point pointer, const ScreenRect& screen) {
    disarm();
    tripped_ = false;
    screen_ = screen;
    anchor_ = pointer;
    recentCount_ = 0;
    recentNext_ = 0;
    armed_ = hooks_.install(*this);
}

void ManualInputWatch::disarm() {
    if (!armed_) return;
    hooks_.remove();
    armed_ = false;
}

Point ManualInputWatch::clamped(Point p) const {
    // The system keeps the pointer on the screen, and the echo reports where it went.
    if (screen_.right <= screen_.left || screen_.bottom <= screen_.top) return p;
    return Point{std::clamp(p.x, screen_.left, screen_.right - 1), std::clamp(p.y, screen_.top, screen_.bottom - 1)};
}

void ManualInputWatch::ownMove(Point p) {
    if (!armed_) return;
    anchor_ = clamped(p);
    recentOwn_[recentNext_] = anchor_;
    recentNext_ = (recentNext_ + 1) % recentOwn_.size();
    recentCount_ = std::min(recentCount_ + 1, recentOwn_.size());
}

void ManualInputWatch::observe(const ObservedInput& input) {
    if (!armed_ || tripped_ || input.injected) return;
    if (input.kind != InputKind::Move) {
        tripped_ = true;
        return;
    }
    for (size_t i = 0; i < recentCount_; ++i) {
        if (recentOwn_[i] == input.point) return;
    }
    const int64_t dx = std::llabs(int64_t{input.point.x} - anchor_.x);
    const int64_t dy = std::llabs(int64_t{input.point.y} - anchor_.y);
    if (dx > kMoveThreshold || dy > kMoveThreshold) tripped_ = true;
}

}  // namespace tappling
