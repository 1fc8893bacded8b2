#include "commands/FileCommands.h"

namespace tappling {

namespace {

constexpr char kReadFailedText[] = "ファイルの読み込み中にエラーが発生しました。";

}  // namespace

void FileCommands::reportReadFailure(const ReadOutcome& outcome) {
    Prompter& prompter = context_.prompter;
    switch (outcome.result) {
        case ReadResult::FormatNotSupported: prompter.inform(kFormatNotSupportedText); return;
        case ReadResult::VersionNotSupported: prompter.inform(kVersionNotSupportedText); return;
        default: prompter.inform(outcome.errorText.empty() ? std::string_view(kReadFailedText) : outcome.errorText);
    }
}

bool FileCommands::chooseSavePath(std::string& path) {
    return chooseMacroFile(dialogs_, context_.prompter, ChooseMode::Save, path) == 1;
}

// Writes the macro; a failure is shown and leaves `modified` as it was.
bool FileCommands::writeTo(const std::string& path) {
    const WriteOutcome written = writeMacroFile(context_.player.macro, path, files_);
    if (!written.ok) context_.prompter.inform(written.errorText);
    return written.ok;
}

SaveOutcome FileCommands::save() {
    if (context_.player.actions().empty()) return SaveOutcome::NothingToSave;
    context_.view.readLoopControls();
    // A name chosen now becomes the file's name only once the macro is written there.
    std::string path = context_.currentFilePath;
    if (path.empty() && !chooseSavePath(path)) return SaveOutcome::Cancelled;
    if (!writeTo(path)) return SaveOutcome::Failed;
    context_.currentFilePath = path;
    context_.player.noteChange(MacroChange::Saved);
    context_.view.updateTitle();
    return SaveOutcome::Saved;
}

SaveOutcome FileCommands::saveAs() {
    if (context_.player.actions().empty()) return SaveOutcome::NothingToSave;
    context_.view.readLoopControls();
    std::string path = context_.currentFilePath;
    SaveOutcome outcome = SaveOutcome::Cancelled;
    if (chooseSavePath(path)) {
        outcome = SaveOutcome::Failed;
        if (writeTo(path)) {
            context_.currentFilePath = path;
            context_.player.noteChange(MacroChange::Saved);
            outcome = SaveOutcome::Saved;
        }
    }
    context_.view.updateTitle();
    return outcome;
}

int32_t FileCommands::newMacro() {
    MacroPlayer& player = context_.player;
    if (player.actions().empty()) return 1;
    if (player.modified() == 1) {
        switch (context_.prompter.askYesNoCancel(kSaveQuestion)) {
            case Answer::Cancel: return 0;
            case Answer::Yes: {
                context_.view.readLoopControls();
                std::string path = context_.currentFilePath;
                // Nothing saved (chooser cancelled, write failed): the macro must stay.
                if (path.empty() && !chooseSavePath(path)) return 0;
                if (!writeTo(path)) return 0;
                break;
            }
            case Answer::No: break;
        }
        player.noteChange(MacroChange::Replaced);
    }
    player.actions().clear();
    context_.view.refreshList();
    context_.view.hideMarker();
    context_.currentFilePath.clear();
    context_.view.updateTitle();
    return 1;
}

LoadOutcome FileCommands::read(ReadMode mode) {
    std::string path;
    if (chooseMacroFile(dialogs_, context_.prompter, ChooseMode::Open, path) == 0) {
        context_.view.updateTitle();
        return LoadOutcome::Cancelled;
    }
    const ReadOutcome outcome = loadMacroFile(context_.player.macro, path, mode, files_, codePage_);
    if (outcome.result != ReadResult::Loaded) {
        reportReadFailure(outcome);
        return LoadOutcome::Refused;
    }
    context_.player.noteChange(MacroChange::FileRead);
    context_.currentFilePath = path;  // an import names the imported file too
    context_.view.refreshList();
    context_.view.hideMarker();
    context_.view.updateTitle();
    return LoadOutcome::Loaded;
}

LoadOutcome FileCommands::drop(const std::string& droppedPath) {
    if (!hasMacroFileExtension(droppedPath)) {
        context_.prompter.inform(kNotAMacroFileText);
        return LoadOutcome::Refused;
    }
    MacroPlayer& player = context_.player;
    Macro dropped = player.macro;
    ReadOutcome outcome = readMacroFile(dropped, droppedPath, ReadMode::Open, files_, codePage_);
    if (outcome.result != ReadResult::Loaded) {
        reportReadFailure(outcome);
        return LoadOutcome::Refused;
    }
    const bool hadActions = !player.actions().empty();
    if (hadActions && player.modified() == 1) {
        switch (context_.prompter.askYesNoCancel(kSaveQuestion)) {
            case Answer::Cancel: return LoadOutcome::Cancelled;
            case Answer::Yes: {
                context_.view.readLoopControls();
                // Always asks, offering the current name.
                std::string path = context_.currentFilePath;
                if (!chooseSavePath(path) || !writeTo(path)) return LoadOutcome::Cancelled;
                context_.currentFilePath = path;
                // The save may have replaced the dropped file itself: load it as it is now.
                dropped = player.macro;
                outcome = readMacroFile(dropped, droppedPath, ReadMode::Open, files_, codePage_);
                if (outcome.result != ReadResult::Loaded) {
                    player.noteChange(MacroChange::Saved);  // the list stays as it was
                    context_.view.updateTitle();
                    reportReadFailure(outcome);
                    return LoadOutcome::Refused;
                }
                break;
            }
            case Answer::No: break;
        }
    }
    if (hadActions) {
        context_.view.updateTitle();
        player.noteChange(MacroChange::Replaced);
    }
    player.macro = std::move(dropped);
    context_.view.refreshList();
    context_.view.hideMarker();  // its row may no longer exist
    context_.currentFilePath = droppedPath;
    context_.view.updateTitle();
    return LoadOutcome::Loaded;
}

}  // namespace tappling
