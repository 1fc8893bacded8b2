// CPU use while a run sits in a long wait, against what a bare 1 ms window timer costs in
// the same loop, each as the program's CPU plus the wineserver's, in % of one core. The
// main window runs as a modal dialog, so the fair bare figure is a timer on one of those.
#include <cstdio>

#include "Bench.h"
#include "BenchMacros.h"
#include "LinuxCpu.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"

namespace tappling::bench {

namespace {

constexpr DWORD kRoundMs = 3000;
constexpr int kRounds = 5;

}  // namespace

void idleCpu() {
    Win32Platform win32;
    std::printf("\nidle CPU, program + wineserver of this prefix (from /proc), median of %d alternated rounds of %lu ms\n",
                kRounds, static_cast<unsigned long>(kRoundMs));

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

    MacroPlayer player(win32.platform());
    ActionRecord wait = makeDefaultRecord();
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 600000;
    wait.postWaitMs = 0;
    player.actions().append(wait);
    player.beginRun(0);
    const auto nothing = [] {};
    const auto step = [&] { player.step(); };

    const std::vector<IdleFigure> figures = measureRounds(
        {{"no timer (Wine's own background)", [&] { return measureIdle(nothing, IdleLoop::NoTimer, kRoundMs); }},
         {"bare 1 ms timer, plain message loop", [&] { return measureIdle(nothing, IdleLoop::PlainLoop, kRoundMs); }},
         {"bare 1 ms timer, modal dialog loop", [&] { return measureIdle(nothing, IdleLoop::ModalDialog, kRoundMs); }},
         {"idle playback step, modal dialog loop", [&] { return measureIdle(step, IdleLoop::ModalDialog, kRoundMs); }},
         {"Tappling.exe auto-running a 10 min wait", [&] { return measureProgramIdle(kRoundMs); }}},
        kRounds);
    const IdleFigure& modalBare = figures[2];
    std::printf("  idle playback step over the bare modal-loop timer: %+.2f%% of one core\n",
                figures[3].totalPercent() - modalBare.totalPercent());
    std::printf("  Tappling.exe idle over the bare modal-loop timer:  %+.2f%% of one core\n",
                figures[4].totalPercent() - modalBare.totalPercent());
}

}  // namespace tappling::bench
