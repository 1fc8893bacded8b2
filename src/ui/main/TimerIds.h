// Window timers of the main window (all at 1 ms).
#pragma once

#include <cstdint>

namespace tappling {

inline constexpr uintptr_t kRecorderTimer = 2;    // recorder poll
inline constexpr uintptr_t kStepTimer = 3;        // playback step
inline constexpr uintptr_t kMarkerPollTimer = 4;  // edit request from the position marker
inline constexpr unsigned kTimerPeriodMs = 1;

}  // namespace tappling
