// The command families over one recording fake of the main window: every call of the
// view and every message box goes to one log, in order; the user's answers, the file
// system and the dialogs are scripted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/RecordCommands.h"
#include "commands/RunCommands.h"
#include "commands/ShortcutCommands.h"
#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "fakes/FakePlatform.h"
#include "fakes/ScriptedPrompts.h"
#include "ui/logic/Caption.h"

namespace tappling::testing {

using Calls = std::vector<std::string>;

class FakeMainView final : public MainView, public Prompter, public ActionDialogs {
public:
    FakeMainView(MacroPlayer& player, const std::string& path, const CodePage& codePage)
        : player_(player), path_(path), codePage_(codePage) {}

    Calls calls;
    std::vector<int32_t> selection;
    int32_t loopChecked = 0, maxChecked = 0, loopCount = 1;  // the loop boxes as the user left them
    std::string caption = "(untouched)";
    int refreshes = 0;
    bool stepTimerOn = false;
    Answer answer = Answer::Cancel;  // every yes/no/cancel question past those in `answers`
    std::vector<Answer> answers;
    bool okAnswer = false;           // every OK/cancel question
    Calls messages, questions;
    bool editorOk = true;            // the editor's OK, or a bulk edit that changed something

    void log(const std::string& call) { calls.push_back(call); }
    void log(const std::string& call, int32_t n) { log(call + " " + std::to_string(n)); }

    std::vector<int32_t> selectedRows() override { return selection; }
    void selectRow(int32_t row) override { selection = {row}, log("select", row); }
    void scrollRows(int32_t rows) override { log("scroll", rows); }
    void refreshList() override { selection.clear(), ++refreshes, log("refresh"); }
    void readLoopControls() override {
        log("readLoopControls");
        player_.macro.loopEnabled = loopChecked;
        player_.macro.loopLimited = maxChecked;
        player_.macro.loopCount = loopCount;
    }
    void updateTitle() override { caption = titleText(path_, codePage_), log("updateTitle"); }
    void updateTitleProgress(int32_t passes) override { log("updateTitleProgress", passes); }
    void showMarkerFor(int32_t row) override { log("marker", row); }
    void hideMarker() override { log("hideMarker"); }
    void watchMarker() override { log("watch"); }
    void stopWatchingMarker() override { log("unwatch"); }
    void show(WindowShow how) override {
        static constexpr const char* kNames[] = {"minimize", "showMinimized", "restore", "showNormal", "show"};
        log(kNames[static_cast<int>(how)]);
    }
    void takeFocus() override { log("focus"); }
    void startTimer(CommandTimer timer) override {
        if (timer == CommandTimer::Step) stepTimerOn = true;
        log(timer == CommandTimer::Step ? "startStepTimer" : "startRecorderTimer");
    }
    void stopTimer(CommandTimer timer) override {
        if (timer == CommandTimer::Step) stepTimerOn = false;
        log(timer == CommandTimer::Step ? "killStepTimer" : "killRecorderTimer");
    }
    void closeAsOk() override { stepTimerOn = false, log("closeAsOk"); }
    void writeDesktopShortcut(std::string_view option) override { log("shortcut " + std::string(option)); }
    void showPlaybackChoices() override { log("choices"); }

    void inform(std::string_view text) override { messages.emplace_back(text), log("inform " + std::string(text)); }
    Answer askYesNoCancel(std::string_view question) override {
        questions.emplace_back(question), log("ask " + std::string(question));
        return questions.size() <= answers.size() ? answers[questions.size() - 1] : answer;
    }
    bool askOkCancel(std::string_view question) override {
        questions.emplace_back(question), log("ask " + std::string(question));
        return okAnswer;
    }

    // The editor names the record it returns "new".
    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override {
        log("editor " + copy.comment, rowNumber);
        ActionRecord edited = copy;
        edited.comment = "new";
        return editorOk ? std::optional(edited) : std::nullopt;
    }
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList&) override {
        log("bulk " + numberList + " " + newText);
        return editorOk;
    }

private:
    MacroPlayer& player_;
    const std::string& path_;
    const CodePage& codePage_;
};

struct CommandRig {
    fake::FakePlatform fake;
    MacroPlayer player{fake.platform};
    std::string path;
    Cp932CodePage codePage;
    FakeMainView view{player, path, codePage};
    FakeFileAccess files;
    ScriptedDialogs dialogs;
    CommandContext context{player, path, view, view};
    FileCommands fileCommands{context, files, dialogs, codePage};
    RunCommands run{context, fileCommands};
    RecordCommands record{context, fileCommands, codePage};
    EditCommands edit{context, view};
    ShortcutCommands shortcuts{context};

    // The flags as a user's earlier commands left them: modified through an edit, resumable
    // through a run stopped with ESC (the run position and the fake's input log move).
    void setFlags(int32_t modified, int32_t resumable) {
        player.noteChange(MacroChange::Replaced);
        if (resumable == 1) {
            const bool empty = player.actions().empty();
            if (empty) player.actions().append(makeDefaultRecord());
            player.beginRun(0);
            fake.keys.press(kVkEscape, fake.clock.now() + 1);
            for (int i = 0; i < 100'000 && player.resumable() == 0; ++i) fake.clock.advance(10), player.step();
            player.runState = RunState::Idle;
            if (empty) player.actions().clear();
        }
        if (modified == 1) player.noteChange(MacroChange::LoopCountTyped);
    }
};

}  // namespace tappling::testing
