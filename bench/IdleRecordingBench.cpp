// CPU use of a recording while the user does nothing, beside the same figure for a run
// that sits in a long wait and for a bare 1 ms timer, each driven for about 3 s by its
// 1 ms timer in this one process (process times from GetProcessTimes).
#include <cstdio>
#include <functional>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"

namespace tappling::bench {

namespace {

constexpr DWORD kMeasureMs = 3000;

uint64_t processCpu100ns() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return value(kernel) + value(user);
}

void measureTicks(const char* name, const std::function<void()>& tick) {
    uint32_t ticks = 0;
    auto onTick = [&] {
        tick();
        ++ticks;
    };
    TickWindow window(onTick);
    SetTimer(window.hwnd(), 1, 1, nullptr);
    const uint64_t cpu0 = processCpu100ns();
    const DWORD t0 = GetTickCount();
    pumpFor(kMeasureMs);
    const DWORD wall = GetTickCount() - t0;
    const uint64_t cpu = processCpu100ns() - cpu0;
    KillTimer(window.hwnd(), 1);
    const double cpuMs = static_cast<double>(cpu) / 10000.0;
    std::printf("  %-34s %6lu ms %6u ticks  CPU %7.1f ms (%5.2f%% of one core)\n", name,
                static_cast<unsigned long>(wall), ticks, cpuMs, wall ? 100.0 * cpuMs / wall : 0.0);
}

}  // namespace

void idleRecordingCpu() {
    std::printf("\nidle CPU, side by side (1 ms timer, %lu ms each):\n", static_cast<unsigned long>(kMeasureMs));
    measureTicks("bare 1 ms timer", [] {});

    Win32Platform win32;
    MacroPlayer runner(win32.platform());
    ActionRecord wait = makeDefaultRecord();
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 60000;
    wait.postWaitMs = 0;
    runner.actions().append(wait);
    runner.beginRun(0);
    measureTicks("playback in a 60 s wait", [&] { runner.step(); });

    MacroPlayer recorder(win32.platform());
    Win32CodePage codePage;
    recorder.startRecording(1, codePage);
    measureTicks("recording, no input (17 queries)", [&] { recorder.pollRecorder(); });
    recorder.runState = RunState::Idle;
}

}  // namespace tappling::bench
