#include "recorder/RecordingControl.h"

namespace tappling {

RecordingControl::RecordingControl(MacroPlayer& player, RecordingHost& host, const CodePage& codePage)
    : player_(player), host_(host), codePage_(codePage) {}

void RecordingControl::beginRecording() {
    int32_t clearFirst = 1;
    if (!player_.actions().empty()) {
        const Answer answer = host_.ask(kAppendQuestion);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) {
            clearFirst = 0;
        } else if (host_.newMacro() == 0) {
            return;  // the save question or its chooser was cancelled: the list stays
        }
    }
    host_.inform(kRecordingHint);
    host_.minimize();
    player_.startRecording(clearFirst, codePage_);
    player_.modified = 1;
    player_.resumable = 0;
    host_.startRecorderTimer();
}

void RecordingControl::onRecorderTimer() {
    if (player_.recorderBusy == 1) return;
    if (player_.pollRecorder() != 0) return;
    host_.killRecorderTimer();
    player_.runState = RunState::Idle;
    host_.inform(kRecordingEnded);
    host_.refreshList();
    host_.restore();
}

}  // namespace tappling
