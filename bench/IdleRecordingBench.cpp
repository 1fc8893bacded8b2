// CPU use of a recording while the user does nothing (timer 2 polling its 17 key states on
// every tick), side by side with a bare 1 ms timer and a run sitting in a long wait, all
// measured in this one run.
#include <cstdio>

#include "Bench.h"
#include "engine/MacroPlayer.h"
#include "engine/win32/Win32Platform.h"
#include "model/win32/Win32CodePage.h"

namespace tappling::bench {

void idleRecordingCpu() {
    Win32Platform win32;
    std::printf("\nidle recording against idle playback and a bare 1 ms timer, program + wineserver\n");

    const IdleFigure bare = measureIdle([] {});

    MacroPlayer runner(win32.platform());
    ActionRecord wait = makeDefaultRecord();
    wait.actionType = ActionType::WaitOnly;
    wait.preWaitMs = 600000;
    wait.postWaitMs = 0;
    runner.actions().append(wait);
    runner.beginRun(0);
    const IdleFigure playback = measureIdle([&] { runner.step(); });

    MacroPlayer recorder(win32.platform());
    Win32CodePage codePage;
    recorder.startRecording(1, codePage);
    const IdleFigure recording = measureIdle([&] { recorder.pollRecorder(); });
    recorder.runState = RunState::Idle;

    printIdle("bare 1 ms timer", bare);
    printIdle("idle playback (a 10 min wait)", playback);
    printIdle("idle recording (no input)", recording);
    std::printf("  idle recording over the bare timer: %+.2f%% of one core (%d records made)\n",
                recording.programPercent + recording.serverPercent - bare.programPercent - bare.serverPercent,
                recorder.actions().size());
}

}  // namespace tappling::bench
