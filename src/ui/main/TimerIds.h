// Window timers and private messages of the main window.
#pragma once

#include <cstdint>

namespace tappling {

inline constexpr uintptr_t kRecorderTimer = 2;    // recorder poll
inline constexpr uintptr_t kStepTimer = 3;        // playback step
inline constexpr unsigned kTimerPeriodMs = 1;

// Auto-run starts on this one-shot timer once the new window has settled: the system's
// activation of a just-shown window can restore it right after the run minimized it,
// and that size change would count as the user stopping the run. The timer is set after
// the dialog loop's own first show of the window (see AutoRunStart).
inline constexpr uintptr_t kAutoRunTimer = 5;
inline constexpr unsigned kAutoRunSettleMs = 250;
// Posted to itself by the auto-run window at initialisation (WM_APP + 5).
inline constexpr unsigned kAutoRunLoopMessage = 0x8000 + 5;
// Posted to itself on a double click of the watched marker: the editor opens (WM_APP + 6).
inline constexpr unsigned kMarkerEditMessage = 0x8000 + 6;

}  // namespace tappling
