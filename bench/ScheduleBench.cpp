// Schedule lateness of 200 waits of 50 ms stepped by a 1 ms window timer: the player's
// drift-free wait (the base moves by exactly the wait) against rescheduling every wait
// from the current time. Both are driven by the same timer ticks.
#include <cstdio>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"

namespace tappling::bench {

namespace {

constexpr int kWaits = 200;
constexpr int32_t kWaitMs = 50;

// The comparison only, not shipped code: a wait that restarts from the tick it ended on,
// so every late tick adds to the schedule.
struct ReschedulingWait {
    uint32_t base = 0;
    bool elapsed(uint32_t now, uint32_t ms) {
        if (now - base < ms) return false;
        base = now;
        return true;
    }
};

}  // namespace

void scheduleLateness() {
    Win32Platform win32;
    MacroPlayer player(win32.platform());
    ReschedulingWait rescheduling;
    int driftFreeDone = 0, reschedulingDone = 0;
    uint32_t driftFreeEnd = 0, reschedulingEnd = 0;
    uint32_t ticks = 0, previous = 0, longestGap = 0;

    auto onTick = [&] {
        const uint32_t now = GetTickCount();
        if (ticks++ > 0 && now - previous > longestGap) longestGap = now - previous;
        previous = now;
        if (driftFreeDone < kWaits && player.waitElapsed(kWaitMs) && ++driftFreeDone == kWaits) driftFreeEnd = now;
        if (reschedulingDone < kWaits && rescheduling.elapsed(now, kWaitMs) && ++reschedulingDone == kWaits) {
            reschedulingEnd = now;
        }
    };
    TickWindow window(onTick);
    const uint32_t start = GetTickCount();
    player.timeBase = start;
    rescheduling.base = start;
    SetTimer(window.hwnd(), 3, 1, nullptr);
    while (driftFreeDone < kWaits || reschedulingDone < kWaits) pumpFor(50);
    KillTimer(window.hwnd(), 3);

    const uint32_t due = start + kWaits * kWaitMs;
    const uint32_t elapsed = (reschedulingEnd > driftFreeEnd ? reschedulingEnd : driftFreeEnd) - start;
    std::printf("\nschedule: %d waits x %d ms on a 1 ms timer (due after %d ms)\n", kWaits, kWaitMs,
                kWaits * kWaitMs);
    std::printf("  timer ticks %u, mean period %.2f ms, longest gap %u ms\n", ticks,
                ticks > 1 ? static_cast<double>(elapsed) / (ticks - 1) : 0.0, longestGap);
    std::printf("  drift-free base      ends %5d ms late\n", static_cast<int>(driftFreeEnd - due));
    std::printf("  rescheduling (comparison) ends %5d ms late\n", static_cast<int>(reschedulingEnd - due));
}

}  // namespace tappling::bench
