// When an auto-run may start. The modal dialog loop shows its window the first time its
// message queue runs empty, and under Wine it does so with SW_SHOWNORMAL even when the
// window is minimized by then: a run that minimized the window earlier (a busy machine
// delays that first empty queue past any fixed delay) would take that show for the user
// restoring the window, and stop. So the auto-run window stays hidden until the loop's
// own show, and the run starts only after it.
#pragma once

namespace tappling {

class AutoRunStart {
public:
    enum class Show { Allow, Hold, AllowAndStart };

    // The window initialises in auto-run mode; the caller posts itself a message that the
    // dialog loop delivers before its queue can first run empty.
    void begin() { stage_ = Stage::HoldingShows; }

    // The window is about to be shown: Hold keeps it hidden, AllowAndStart means the
    // loop's first show has come and the run may start.
    Show onShow();

    // The message posted by begin arrived; true when the run may start at once (the window
    // could not be kept hidden, so no later show is waited for).
    bool onLoopRunning(bool windowVisible);

private:
    enum class Stage { Off, HoldingShows, AwaitingLoopShow, Started };
    Stage stage_ = Stage::Off;
};

}  // namespace tappling
