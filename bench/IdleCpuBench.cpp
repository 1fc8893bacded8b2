// CPU use of a run that sits in a long wait: the player stepped by its 1 ms timer for
// about 3 s, process times from GetProcessTimes.
#include <cstdio>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"

namespace tappling::bench {

namespace {

uint64_t processCpu100ns() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

}  // namespace

void idleCpu() {
    Win32Platform win32;
    MacroPlayer player(win32.platform());
    ActionRecord wait;
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 60000;
    wait.postWaitMs = 0;
    player.actions().append(wait);
    player.beginRun(0);

    uint32_t steps = 0;
    auto onTick = [&] {
        player.step();
        ++steps;
    };
    TickWindow window(onTick);
    SetTimer(window.hwnd(), 3, 1, nullptr);
    const uint64_t cpu0 = processCpu100ns();
    const DWORD t0 = GetTickCount();
    pumpFor(3000);
    const DWORD wall = GetTickCount() - t0;
    const uint64_t cpu = processCpu100ns() - cpu0;
    KillTimer(window.hwnd(), 3);

    const double cpuMs = static_cast<double>(cpu) / 10000.0;
    std::printf("\nidle run in a 60 s wait, stepped for %lu ms: %u steps, CPU %.1f ms (%.2f%% of one core)\n",
                static_cast<unsigned long>(wall), steps, cpuMs, wall ? 100.0 * cpuMs / wall : 0.0);
}

}  // namespace tappling::bench
