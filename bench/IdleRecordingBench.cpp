// CPU use of a recording while the user does nothing (timer 2 polling its 17 key states on
// every tick), side by side with a bare 1 ms timer and a run sitting in a long wait, all
// in the modal dialog loop the main window runs in, measured in alternated rounds.
#include <cstdio>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"

namespace tappling::bench {

void idleRecordingCpu() {
    constexpr DWORD kRoundMs = 4000;
    Win32Platform win32;
    std::printf("\nidle recording against idle playback and a bare 1 ms timer, program + wineserver\n");

    MacroPlayer runner(win32.platform());
    ActionRecord wait = makeDefaultRecord();
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 600000;
    wait.postWaitMs = 0;
    runner.actions().append(wait);
    runner.beginRun(0);

    MacroPlayer recorder(win32.platform());
    Win32CodePage codePage;
    recorder.startRecording(1, codePage);

    const auto nothing = [] {};
    const auto step = [&] { runner.step(); };
    const auto poll = [&] { recorder.pollRecorder(); };
    const std::vector<IdleFigure> figures = measureRounds(
        {{"bare 1 ms timer", [&] { return measureIdle(nothing, IdleLoop::ModalDialog, kRoundMs); }},
         {"idle playback (a 10 min wait)", [&] { return measureIdle(step, IdleLoop::ModalDialog, kRoundMs); }},
         {"idle recording (no input)", [&] { return measureIdle(poll, IdleLoop::ModalDialog, kRoundMs); }}},
        3);
    recorder.runState = RunState::Idle;
    std::printf("  idle recording over the bare timer: %+.2f%% of one core (%d records made)\n",
                figures[2].totalPercent() - figures[0].totalPercent(), recorder.actions().size());
}

}  // namespace tappling::bench
