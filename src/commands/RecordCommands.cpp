#include "commands/RecordCommands.h"

namespace tappling {

void RecordCommands::record() {
    MacroPlayer& player = context_.player;
    int32_t clearFirst = 1;
    if (!player.actions().empty()) {
        const Answer answer = context_.prompter.askYesNoCancel(kAppendQuestion);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) {
            clearFirst = 0;
        } else if (files_.newMacro() == 0) {
            return;  // the save question or its chooser was cancelled: the list stays
        }
    }
    context_.prompter.inform(kRecordingHint);
    // Hidden and unwatched, as for a run: a double click on it must not open the editor
    // while the clicks are recorded. A later row click shows and watches it again.
    context_.view.hideMarker();
    context_.view.stopWatchingMarker();
    context_.view.show(WindowShow::Minimize);
    player.startRecording(clearFirst, codePage_);
    player.noteChange(MacroChange::Recorded);
    context_.view.startTimer(CommandTimer::Recorder);
    recording_ = true;
}

void RecordCommands::onRecorderTimer() {
    MacroPlayer& player = context_.player;
    if (player.recorderBusy == 1) return;
    if (player.pollRecorder() != 0) return;
    context_.view.stopTimer(CommandTimer::Recorder);
    recording_ = false;
    player.runState = RunState::Idle;
    context_.prompter.inform(kRecordingEnded);
    endRecording();
}

void RecordCommands::stopBeforeClose() {
    if (!recording_) return;
    context_.view.stopTimer(CommandTimer::Recorder);
    recording_ = false;
    context_.player.runState = RunState::Idle;
    endRecording();
}

void RecordCommands::endRecording() {
    context_.view.refreshList();
    context_.view.show(WindowShow::Restore);
}

}  // namespace tappling
