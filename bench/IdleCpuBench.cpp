// CPU use while nothing happens: a bare 1 ms window timer, and the player stepped by
// that timer inside a long wait (its stop-key queries included), each as this process's
// CPU plus the wineserver's, in % of one core. Another idle scenario (recording, say) is
// one more call of measureIdle with its own tick.
#include <cstdio>

#include "Bench.h"
#include "BenchMacros.h"
#include "LinuxCpu.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"

namespace tappling::bench {

namespace {

constexpr DWORD kIdleMs = 6000;

// Waits for messages as a dialog's message loop does (no polling), for about ms.
void waitForMessagesFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

}  // namespace

IdleFigure measureIdle(const std::function<void()>& onTick, bool polling) {
    uint32_t ticks = 0;
    auto tick = [&] {
        onTick();
        ++ticks;
    };
    TickWindow window(tick);
    SetTimer(window.hwnd(), 3, 1, nullptr);
    waitForMessagesFor(200);  // settle
    ticks = 0;
    const LinuxCpu cpu0 = linuxCpuNow();
    const double t0 = nowMs();
    if (polling)
        pumpFor(kIdleMs);
    else
        waitForMessagesFor(kIdleMs);
    const double wall = nowMs() - t0;
    const LinuxCpu cpu1 = linuxCpuNow();
    KillTimer(window.hwnd(), 3);
    IdleFigure figure;
    figure.ticks = ticks;
    figure.wallMs = wall;
    figure.programPercent = 100.0 * (cpu1.programMs - cpu0.programMs) / wall;
    figure.serverPercent = 100.0 * (cpu1.serverMs - cpu0.serverMs) / wall;
    figure.serverFound = cpu1.serverFound;
    return figure;
}

void printIdle(const char* label, const IdleFigure& f) {
    std::printf("  %-34s %5u ticks in %5.0f ms: program %5.2f%% + wineserver %5.2f%%%s = %5.2f%% of one core\n",
                label, f.ticks, f.wallMs, f.programPercent, f.serverPercent, f.serverFound ? "" : " (not found)",
                f.programPercent + f.serverPercent);
}

void idleCpu() {
    Win32Platform win32;
    std::printf("\nidle CPU, %lu ms each, program + wineserver of this prefix (from /proc)\n",
                static_cast<unsigned long>(kIdleMs));

    // What one stop-key query costs: many in a row, CPU per call.
    {
        constexpr int kQueries = 20000;
        const LinuxCpu cpu0 = linuxCpuNow();
        const double t0 = nowMs();
        for (int i = 0; i < kQueries; ++i) win32.platform().keys.asyncKeyState(kVkEscape);
        const double wall = nowMs() - t0;
        const LinuxCpu cpu1 = linuxCpuNow();
        std::printf("  GetAsyncKeyState: %.2f us per call (program %.2f us + wineserver %.2f us CPU)\n",
                    1000.0 * wall / kQueries, 1000.0 * (cpu1.programMs - cpu0.programMs) / kQueries,
                    1000.0 * (cpu1.serverMs - cpu0.serverMs) / kQueries);
    }

    const IdleFigure bare = measureIdle([] {});
    printIdle("bare 1 ms timer", bare);

    MacroPlayer player(win32.platform());
    ActionRecord wait;
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 600000;
    wait.postWaitMs = 0;
    player.actions().append(wait);
    player.beginRun(0);
    const IdleFigure playback = measureIdle([&] { player.step(); });
    printIdle("idle playback (a 10 min wait)", playback);
    printIdle("same, pumped by 1 ms polling", measureIdle([&] { player.step(); }, true));
    std::printf("  (the polling pump was this benchmark's own until now, not the program's)\n");
    std::printf("  idle playback over the bare timer: %+.2f%% of one core\n",
                playback.programPercent + playback.serverPercent - bare.programPercent - bare.serverPercent);
}

}  // namespace tappling::bench
