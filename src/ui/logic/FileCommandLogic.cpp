#include "ui/logic/FileCommandLogic.h"

namespace tappling {

namespace {

constexpr char kReadFailedText[] = "ファイルの読み込み中にエラーが発生しました。";

void reportReadFailure(const ReadOutcome& outcome, Prompter& prompter) {
    switch (outcome.result) {
        case ReadResult::FormatNotSupported: prompter.inform(kFormatNotSupportedText); return;
        case ReadResult::VersionNotSupported: prompter.inform(kVersionNotSupportedText); return;
        default: prompter.inform(outcome.errorText.empty() ? std::string_view(kReadFailedText) : outcome.errorText);
    }
}

// Writes the macro; a failure is shown and leaves `modified` as it was.
bool writeTo(const MacroDocument& document, const std::string& path, FileCommandServices& services) {
    const WriteOutcome written = writeMacroFile(document.macro, path, services.files);
    if (!written.ok) services.prompter.inform(written.errorText);
    return written.ok;
}

void emptyList(const MacroDocument& document, FileCommandHost& host) {
    document.macro.actions.clear();
    host.refreshList();
    host.hideMarker();
}

}  // namespace

SaveOutcome saveMacroAs(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services) {
    if (document.macro.actions.empty()) return SaveOutcome::NothingToSave;
    host.readLoopControls();
    std::string path = document.currentFilePath;
    SaveOutcome outcome = SaveOutcome::Cancelled;
    if (chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Save, path) == 1) {
        outcome = SaveOutcome::Failed;
        if (writeTo(document, path, services)) {
            document.currentFilePath = path;
            document.modified = 0;
            outcome = SaveOutcome::Saved;
        }
    }
    host.updateTitle();
    return outcome;
}

int32_t newMacro(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services) {
    if (document.macro.actions.empty()) return 1;
    if (document.modified == 1) {
        switch (services.prompter.askYesNoCancel(kSaveQuestion)) {
            case Answer::Cancel: return 0;
            case Answer::Yes: {
                host.readLoopControls();
                std::string path = document.currentFilePath;
                // Nothing saved (chooser cancelled, write failed): the macro must stay.
                if (path.empty() && chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Save, path) == 0)
                    return 0;
                if (!writeTo(document, path, services)) return 0;
                break;
            }
            case Answer::No: break;
        }
        document.modified = 0;
        document.resumable = 0;
    }
    emptyList(document, host);
    document.currentFilePath.clear();
    host.updateTitle();
    return 1;
}

LoadOutcome openMacroFile(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services,
                          ReadMode mode) {
    std::string path;
    if (chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Open, path) == 0) {
        host.updateTitle();
        return LoadOutcome::Cancelled;
    }
    const ReadOutcome outcome = loadMacroFile(document.macro, path, mode, services.files, services.codePage);
    if (outcome.result != ReadResult::Loaded) {
        reportReadFailure(outcome, services.prompter);
        return LoadOutcome::Refused;
    }
    document.currentFilePath = path;  // an import names the imported file too
    host.refreshList();
    host.hideMarker();
    host.updateTitle();
    return LoadOutcome::Loaded;
}

LoadOutcome dropMacroFile(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services,
                          const std::string& droppedPath) {
    if (!hasMacroFileExtension(droppedPath)) {
        services.prompter.inform(kNotAMacroFileText);
        return LoadOutcome::Refused;
    }
    Macro dropped = document.macro;
    ReadOutcome outcome = readMacroFile(dropped, droppedPath, ReadMode::Open, services.files, services.codePage);
    if (outcome.result != ReadResult::Loaded) {
        reportReadFailure(outcome, services.prompter);
        return LoadOutcome::Refused;
    }
    const bool hadActions = !document.macro.actions.empty();
    if (hadActions && document.modified == 1) {
        switch (services.prompter.askYesNoCancel(kSaveQuestion)) {
            case Answer::Cancel: return LoadOutcome::Cancelled;
            case Answer::Yes: {
                host.readLoopControls();
                // Always asks, offering the current name.
                std::string path = document.currentFilePath;
                if (chooseMacroFile(services.dialogs, services.prompter, ChooseMode::Save, path) == 0)
                    return LoadOutcome::Cancelled;
                if (!writeTo(document, path, services)) return LoadOutcome::Cancelled;
                document.currentFilePath = path;
                // The save may have replaced the dropped file itself: load it as it is now.
                dropped = document.macro;
                outcome = readMacroFile(dropped, droppedPath, ReadMode::Open, services.files, services.codePage);
                if (outcome.result != ReadResult::Loaded) {
                    document.modified = 0;  // saved; the list stays as it was
                    host.updateTitle();
                    reportReadFailure(outcome, services.prompter);
                    return LoadOutcome::Refused;
                }
                break;
            }
            case Answer::No: break;
        }
    }
    if (hadActions) {
        host.updateTitle();
        document.modified = 0;
        document.resumable = 0;
    }
    document.macro = std::move(dropped);
    host.refreshList();
    host.hideMarker();  // its row may no longer exist
    document.currentFilePath = droppedPath;
    host.updateTitle();
    return LoadOutcome::Loaded;
}

}  // namespace tappling
