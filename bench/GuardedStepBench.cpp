// The cost of a playback step that clicks, plain, with the user-input hooks installed,
// and with the integrity check of the foreground window, measured in alternated rounds
// in one run. Messages are pumped after every step, as the main window's loop does, so
// the hooks' calls are part of the figure.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "Bench.h"
#include "BenchMacros.h"
#include "engine/IntegrityGate.h"
#include "engine/MacroPlayer.h"
#include "engine/ManualInputWatch.h"
#include "engine/win32/Win32InputHooks.h"
#include "engine/win32/Win32Platform.h"
#include "engine/win32/Win32WindowIntegrity.h"

namespace tappling::bench {

namespace {

constexpr int kClicks = 200;
constexpr int kRounds = 5;

void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Microseconds per clicking record (three steps: pre-wait, click, post-wait); counts a
// run that did not finish.
double usPerClick(MacroPlayer& player, int* stopped = nullptr) {
    player.beginRun(0);
    const double t0 = nowMs();
    for (;;) {
        const StepResult r = player.step();
        pumpPending();
        if (r == StepResult::Continue || r == StepResult::RecordDone) continue;
        if (stopped != nullptr && r != StepResult::Finished) ++*stopped;
        break;
    }
    return 1000.0 * (nowMs() - t0) / kClicks;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

void guardedSteps() {
    Win32Platform win32;
    Win32InputHooks hooks;
    ManualInputWatch watch(hooks);
    Win32WindowIntegrity system;
    IntegrityGate gate(system);
    MacroPlayer player(win32.platform());
    for (int i = 0; i < kClicks; ++i) {
        ActionRecord click = makeDefaultRecord();
        click.actionType = ActionType::LeftClick;
        click.x = 2 + i % 8;  // a corner of the private display
        click.y = 2;
        click.preWaitMs = 0;
        click.postWaitMs = 0;
        player.actions().append(click);
    }

    std::vector<double> plain, hooked, checked;
    int ownInputStops = 0;  // the hooks took the player's own clicks for the user's
    for (int round = 0; round < kRounds; ++round) {
        player.manualInputWatch = nullptr;
        player.integrityGate = nullptr;
        player.stopOnManualInput = false;
        plain.push_back(usPerClick(player));
        player.stopOnManualInput = true;
        player.manualInputWatch = &watch;
        hooked.push_back(usPerClick(player, &ownInputStops));
        player.manualInputWatch = nullptr;
        player.integrityGate = &gate;
        checked.push_back(usPerClick(player));
    }

    constexpr int kReads = 2000;
    double t0 = nowMs();
    for (int i = 0; i < kReads; ++i) IntegrityGate(system).refusingWindow();
    const double uncachedUs = 1000.0 * (nowMs() - t0) / kReads;
    t0 = nowMs();
    for (int i = 0; i < kReads; ++i) gate.refusingWindow();
    const double cachedUs = 1000.0 * (nowMs() - t0) / kReads;

    std::printf("\nguarded steps: %d clicking records, median of %d alternated rounds\n", kClicks, kRounds);
    std::printf("  plain step                 %8.1f us per click\n", median(plain));
    std::printf("  with the input hooks       %8.1f us per click (runs stopped by their own input: %d)\n",
                median(hooked), ownInputStops);
    std::printf("  with the integrity check   %8.1f us per click\n", median(checked));
    std::printf("  integrity read of a new foreground window %.1f us, of the same one (cached) %.2f us\n",
                uncachedUs, cachedUs);
}

}  // namespace tappling::bench
