// The macro being edited and played: its actions and loop values, the modified flag,
// and the playback state. Playback is a small state machine stepped by the owner's
// 1 ms timer (step), so nothing here blocks or sleeps; the one other thread is the
// file-run worker of ExecuteFile.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CFileRun.h"
#include "engine/MacroChange.h"
#include "engine/PlaybackSpeed.h"
#include "engine/Platform.h"
#include "model/ActionList.h"
#include "model/CodePage.h"

namespace tappling {

enum class RunState : int32_t { Idle = 0, Running = 1, StopRequested = 2 };
enum class Phase : int32_t { PreWait = 0, Act = 1, PostWait = 2, Done = 3 };
enum class ExecResult : int32_t { Next = 0, JumpAfterWait = 1, JumpNow = 2 };
enum class StepResult : int32_t { Continue = 0, RecordDone = 3, Finished = 1, Aborted = -1, EndOfList = 2 };

// Passes after which an endless run starts counting from 0 again (a limited run ends).
constexpr uint32_t kMaxLoopsDone = 0x7FFFFFF8;

class ManualInputWatch;
class IntegrityGate;

class MacroPlayer {
public:
    // Seeds nothing: the RandomSource is seeded by whoever made it.
    explicit MacroPlayer(Platform& platform);
    ~MacroPlayer();
    MacroPlayer(const MacroPlayer&) = delete;
    MacroPlayer& operator=(const MacroPlayer&) = delete;

    Macro macro;
    // 1 once the macro differs from its file; the close and a run ask to save it.
    int32_t modified() const { return modified_; }
    // Every command that changes the macro says how; the flags follow from MacroChange.
    void noteChange(MacroChange change);
    // Actions copied by the editing commands; only the copy command empties it, and it is
    // never saved.
    std::vector<ActionRecord> copyBuffer;

    ActionList& actions() { return macro.actions; }
    const ActionList& actions() const { return macro.actions; }

    // Playback state.
    RunState runState = RunState::Idle;
    int32_t randomMode = 0;
    // 1 while a stopped run can continue where it stopped.
    int32_t resumable() const { return resumable_; }
    uint32_t timeBase = 0;     // tick from which the current wait is measured
    int32_t currentIndex = 0;
    int32_t nextIndex = 0;
    int32_t repeatDone = 0;
    Phase phase = Phase::PreWait;
    uint32_t loopsDone = 0;
    std::unique_ptr<CFileRun> fileRunWorker;

    // The speed the user chose; a run takes it when it starts or resumes and keeps it.
    PlaybackSpeed playbackSpeed = PlaybackSpeed::Normal;
    PlaybackSpeed speedInForce() const { return speedInForce_; }

    // "手動操作で停止": the user's own input stops a run (taken at each start and resume).
    bool stopOnManualInput = false;

    // Optional guards wired in by the owner; null leaves the check out.
    ManualInputWatch* manualInputWatch = nullptr;
    IntegrityGate* integrityGate = nullptr;
    // The title (UTF-8) of the window that would have dropped the input when the last run
    // stopped before it; empty otherwise.
    std::string refusedWindowTitle;

    // Resets the run position (or, resuming, only the wait base) and discards earlier
    // presses of the stop keys; a fresh run's first pass starts at firstRow. The caller
    // starts the step timer afterwards.
    void beginRun(int32_t resume, int32_t firstRow = 0);

    // One timer tick of the run; a result that ends the run has already called endRun.
    StepResult step();

    // Whatever ended the run: releases a button the macro left pressed (where the pointer
    // is) and removes the input hooks. Harmless when nothing is held.
    void endRun();

    // True once the scaled wait (ms divided by the speed in force) has passed since
    // timeBase; then the base moves on by exactly that, the fraction of a millisecond
    // carried to the next wait, so late ticks and rounding do not add up over a run.
    // Unsigned arithmetic, correct across the wrap.
    bool waitElapsed(int32_t ms);

    // Performs the record at index (0 <= index < size). On a jump, index holds the target.
    ExecResult executeAction(int32_t& index);

    // Looks for colour in the rectangle cx±rangeX, cy±rangeY (clipped to the screen),
    // column by column from the left, each column from the top. On a match writes the
    // offset from (cx, cy) and returns true; otherwise leaves the outputs alone.
    bool findColour(uint32_t colour, int32_t cx, int32_t cy, int32_t rangeX, int32_t rangeY,
                    int32_t& outDx, int32_t& outDy);

    // Auto record (defined in recorder/): polled by the owner's 1 ms timer while the
    // window is minimized; appends what the user does with the buttons and a few keys.
    int32_t recorderBusy = 0;      // 1 while a poll runs; a tick arriving meanwhile is ignored
    int32_t leftPending = 0;       // a left press was recorded-or-seen; its release is still due
    int32_t rightPending = 0;
    uint32_t lastEventTime = 0;    // tick of the last event that became a record
    uint32_t lastActivityTime = 0; // tick of the last poll that handled an event
    uint32_t nowTime = 0;          // tick of the event the current poll handles

    // Starts a recording (clearFirst 1 empties the list first). The comments of captured
    // colour conditions are made in the user's code page.
    void startRecording(int32_t clearFirst, const CodePage& codePage);
    // One poll: 1 to go on, 0 when ESC or F2 was pressed or a stop was requested.
    int32_t pollRecorder();
    // Whether two presses (interval = ms from the first to the second) make a double click.
    bool isDoubleClick(int32_t ax, int32_t ay, int32_t bx, int32_t by, uint32_t interval);

private:
    void stillHeld();
    void recordKey(ActionType type, uint8_t vk, bool held);
    std::optional<ActionRecord> recordedAtPointer(ActionType type);
    bool appendRecorded(const ActionRecord& record);
    bool captureColour(bool left);
    void handleRelease(bool left);
    void finishRelease(bool left, const ActionRecord& up);

    std::string sameColourComment_;     // ANSI bytes of the two condition comments
    std::string otherColourComment_;
    int32_t leftUpSeen_ = 0;            // a pending release was put off at an earlier poll
    int32_t rightUpSeen_ = 0;
    // Keys down since a press that was handled (recorded, or taken for a condition): a
    // key held across polls is no new event, one whose press was never recorded is.
    std::array<bool, 256> handledPress_{};

    StepResult advance();
    bool stopKeyPressed();
    bool userStopped();
    bool inputRefused(const ActionRecord& record);
    void sendButton(uint32_t flag);
    void startFileRun(const ActionRecord& record);

    PlaybackSpeed speedInForce_ = PlaybackSpeed::Normal;
    uint64_t waitCarry_ = 0;  // the base's fraction of a millisecond, in 1/num ms
    bool leftHeld_ = false;   // the macro pressed the button and has not released it
    bool rightHeld_ = false;

    Platform platform_;
    friend struct MacroPlayerTestAccess;  // window tests start from flags a run would leave
    int32_t modified_ = 0;
    int32_t resumable_ = 0;
};

}  // namespace tappling
