#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <optional>
#include <vector>

#include "commands/CommandRig.h"
#include "model/MacroBytes.h"

namespace tappling {
namespace {

using Names = std::vector<std::string>;

class FileCommandsTest : public ::testing::Test, protected testing::CommandRig {
protected:
    FileCommandsTest() {
        Macro other;
        for (const char* c : {"b0", "b1"}) other.actions.append(record(c));
        writeMacroFile(other, "C:\\m\\b.TPM", files);
        using testbytes::i32, testbytes::str;
        files.put("C:\\m\\v999.TPM", str("MouseAction") + i32(999) + i32(0) + i32(0) + i32(1) + i32(0));
        files.put("C:\\m\\tag.TPM", str("MouseActioN") + i32(1202) + i32(0) + i32(0) + i32(1) + i32(0));
        files.put("C:\\m\\cut.TPM", testbytes::header(1202, 0, 0, 1, 5) + testbytes::record({}, 21));
        fixtureFiles = files.files;
        reset();
    }
    static ActionRecord record(const char* comment) {
        ActionRecord r = makeDefaultRecord();
        r.comment = comment;
        return r;
    }
    // The user's macro a0..a2 (or none), loop values 1/7, at C:\m\a.TPM unless told.
    void reset(bool empty = false, int32_t modifiedValue = 1, const std::string& at = "C:\\m\\a.TPM") {
        player.macro = Macro{};
        setFlags(modifiedValue, 1);
        if (!empty) for (const char* c : {"a0", "a1", "a2"}) player.macro.actions.append(record(c));
        player.macro.loopEnabled = view.loopChecked = 1;
        player.macro.loopCount = view.loopCount = 7;
        path = at;
        view.caption = "(untouched)";
        view.refreshes = 0;
        view.answer = Answer::Cancel;
        view.messages.clear();
        view.questions.clear();
        dialogs = ScriptedDialogs{};
        files.files = fixtureFiles;
        files.failWrites = false;
        files.writeCount = 0;
    }
    Names comments() const {
        Names out;
        for (const ActionRecord& r : player.macro.actions.records()) out.push_back(r.comment);
        return out;
    }
    // Everything exactly as reset() left it.
    void expectUntouched(const std::string& label) {
        EXPECT_EQ(comments(), (Names{"a0", "a1", "a2"})) << label;
        EXPECT_EQ(std::pair(player.macro.loopEnabled, player.macro.loopCount), std::pair(1, 7)) << label;
        EXPECT_EQ(path, "C:\\m\\a.TPM") << label;
        EXPECT_EQ(modified(), 1) << label;
        EXPECT_EQ(view.refreshes, 0) << label;
        EXPECT_EQ(view.caption, "(untouched)") << label;
    }

    int32_t modified() const { return player.modified(); }
    int32_t resumable() const { return player.resumable(); }
    std::map<std::string, std::string> fixtureFiles;
};

TEST_F(FileCommandsTest, SaveAsSpellsTheExtensionRefusesOtherNamesAndReportsFailures) {
    struct Case { std::optional<std::string> typed; bool failWrite; SaveOutcome outcome; std::string message; };
    const Case cases[] = {{"C:\\m\\x.tpm", false, SaveOutcome::Saved, ""},
                          {"C:\\m\\notes.txt", false, SaveOutcome::Cancelled, std::string(kNotAMacroFileText)},
                          {std::nullopt, false, SaveOutcome::Cancelled, ""},
                          {"C:\\m\\x.TPM", true, SaveOutcome::Failed, "disk full"}};
    for (const Case& c : cases) {
        const std::string label = c.typed.value_or("(cancel)");
        reset();
        files.failWrites = c.failWrite;
        dialogs.answer = c.typed;
        EXPECT_EQ(fileCommands.saveAs(), c.outcome) << label;
        EXPECT_EQ(dialogs.initialNames, Names{"C:\\m\\a.TPM"}) << label;
        EXPECT_EQ(view.messages, c.message.empty() ? Names{} : Names{c.message}) << label;
        const bool saved = c.outcome == SaveOutcome::Saved;
        EXPECT_EQ(files.content("C:\\m\\x.TPM") != nullptr, saved) << label;
        EXPECT_EQ(path, saved ? "C:\\m\\x.TPM" : "C:\\m\\a.TPM") << label;
        EXPECT_EQ(view.caption, saved ? "Tappling x.TPM" : "Tappling a.TPM") << label;  // also after a cancel
        EXPECT_EQ(modified(), saved ? 0 : 1) << label;
    }
    reset(true);  // an empty list: nothing to save, new needs no question
    EXPECT_EQ(fileCommands.saveAs(), SaveOutcome::NothingToSave);
    EXPECT_EQ(fileCommands.newMacro(), 1);
    EXPECT_TRUE(dialogs.initialNames.empty() && view.questions.empty());
    EXPECT_EQ(view.caption, "(untouched)");
}

TEST_F(FileCommandsTest, NewMacroAnswers) {
    // written "-": the macro kept, nothing written; "": emptied, nothing written.
    struct Case {
        const char* label; int32_t modified; Answer answer; std::string path;
        std::optional<std::string> chosen; bool failWrite; std::string written;
    };
    const Case cases[] = {
        {"unmodified", 0, Answer::Cancel, "C:\\m\\a.TPM", {}, false, ""},
        {"yes, known name", 1, Answer::Yes, "C:\\m\\a.TPM", {}, false, "C:\\m\\a.TPM"},
        {"yes, chosen name", 1, Answer::Yes, "", "C:\\m\\n.tpm", false, "C:\\m\\n.TPM"},
        {"yes, chooser cancelled", 1, Answer::Yes, "", std::nullopt, false, "-"},
        {"yes, write fails", 1, Answer::Yes, "C:\\m\\a.TPM", {}, true, "-"},
        {"no", 1, Answer::No, "C:\\m\\a.TPM", {}, false, ""},
        {"cancel", 1, Answer::Cancel, "C:\\m\\a.TPM", {}, false, "-"},
    };
    for (const Case& c : cases) {
        reset(false, c.modified, c.path);
        files.failWrites = c.failWrite;
        view.answer = c.answer;
        dialogs.answer = c.chosen;
        const bool kept = c.written == "-";
        EXPECT_EQ(fileCommands.newMacro(), kept ? 0 : 1) << c.label;
        EXPECT_EQ(view.questions.size(), c.modified == 1 ? 1u : 0u) << c.label;
        const bool writes = !kept && !c.written.empty();
        EXPECT_EQ(files.writeCount, writes ? 1 : 0) << c.label;
        EXPECT_TRUE(!writes || files.content(c.written)) << c.label;
        EXPECT_EQ(player.macro.actions.size(), kept ? 3 : 0) << c.label;
        EXPECT_EQ(path, kept ? c.path : "") << c.label;
        EXPECT_EQ(modified(), kept ? 1 : 0) << c.label;
        EXPECT_EQ(view.caption, kept ? "(untouched)" : "Tappling ") << c.label;
        EXPECT_EQ(resumable(), kept || c.modified == 0 ? 1 : 0) << c.label;
    }
}

TEST_F(FileCommandsTest, OpenImportAndDropLoadOrKeepTheMacroWhole) {
    auto load = [&](int command, const std::string& file) {  // 0 open, 1 import, 2 drop
        dialogs.answer = file;
        return command == 2 ? fileCommands.drop(file) : command ? fileCommands.import() : fileCommands.open();
    };
    const Names loaded[] = {{"b0", "b1"}, {"a0", "a1", "a2", codePage.fromUtf16(u"■インポート■"), "b0", "b1"}, {"b0", "b1"}};
    const std::pair<const char*, std::string_view> unreadable[] = {{"C:\\m\\v999.TPM", kVersionNotSupportedText},
                                                                   {"C:\\m\\tag.TPM", kFormatNotSupportedText},
                                                                   {"C:\\m\\missing.TPM", kFormatNotSupportedText},
                                                                   {"C:\\m\\cut.TPM", ""}};  // the reader's text
    for (int command = 0; command < 3; ++command) {
        reset(false, 0);
        EXPECT_EQ(load(command, "C:\\m\\b.TPM"), LoadOutcome::Loaded) << command;
        EXPECT_EQ(comments(), loaded[command]) << command;
        EXPECT_EQ(path, "C:\\m\\b.TPM") << command;
        EXPECT_EQ(view.caption, "Tappling b.TPM") << command;
        EXPECT_GE(view.refreshes, 1) << command;
        // The reader's fault must not reach the user's list.
        for (const auto& [file, message] : unreadable) {
            const std::string label = std::string(file) + " command " + std::to_string(command);
            reset();
            EXPECT_EQ(load(command, file), LoadOutcome::Refused) << label;
            ASSERT_EQ(view.messages.size(), 1u) << label;
            EXPECT_EQ(view.messages[0], message.empty() ? view.messages[0] : message) << label;
            EXPECT_FALSE(view.messages[0].empty()) << label;
            EXPECT_TRUE(view.questions.empty()) << label;
            expectUntouched(label);
        }
    }
    reset();
    EXPECT_EQ(fileCommands.drop("C:\\m\\notes.txt"), LoadOutcome::Refused);
    EXPECT_EQ(view.messages, Names{std::string(kNotAMacroFileText)});
}

TEST_F(FileCommandsTest, DropAnswersTheSaveQuestionAlwaysThroughTheChooser) {
    struct Case { const char* label; bool emptyList; Answer answer; std::optional<std::string> chosen; bool loaded; };
    const Case cases[] = {
        {"empty list", true, Answer::Cancel, {}, true},
        {"yes", false, Answer::Yes, "C:\\m\\saved.TPM", true},
        {"yes, chooser cancelled", false, Answer::Yes, std::nullopt, false},
        {"no", false, Answer::No, {}, true},
        {"cancel", false, Answer::Cancel, {}, false},
    };
    for (const Case& c : cases) {
        reset(c.emptyList);
        view.answer = c.answer;
        dialogs.answer = c.chosen;
        EXPECT_EQ(fileCommands.drop("C:\\m\\B.tpm") == LoadOutcome::Loaded, c.loaded) << c.label;
        EXPECT_EQ(view.questions.size(), c.emptyList ? 0u : 1u) << c.label;
        // Yes asks for the name even when it is known.
        EXPECT_EQ(dialogs.initialNames, c.answer == Answer::Yes ? Names{"C:\\m\\a.TPM"} : Names{}) << c.label;
        EXPECT_EQ(files.content("C:\\m\\saved.TPM") != nullptr, c.chosen.has_value()) << c.label;
        if (!c.loaded) {
            expectUntouched(c.label);
            continue;
        }
        EXPECT_EQ(comments(), (Names{"b0", "b1"})) << c.label;
        EXPECT_EQ(path, "C:\\m\\B.tpm") << c.label;
        EXPECT_EQ(view.caption, "Tappling B.tpm") << c.label;
        EXPECT_EQ(modified() + resumable(), c.emptyList ? 2 : 0) << c.label;  // the empty-list path keeps the flags
    }
}

TEST_F(FileCommandsTest, DropOfTheFileJustSavedOverShowsWhatWasSaved) {
    // The chooser offers the current name; saving over the dropped file itself must not
    // bring back its old content (a later save would write that over the user's changes).
    for (const std::string saveAs : {"C:\\m\\b.TPM", "C:\\m\\B.tpm"}) {
        reset(false, 1, "C:\\m\\b.TPM");
        view.answer = Answer::Yes;
        dialogs.answer = saveAs;
        EXPECT_EQ(fileCommands.drop("C:\\m\\b.TPM"), LoadOutcome::Loaded) << saveAs;
        EXPECT_EQ(comments(), (Names{"a0", "a1", "a2"})) << saveAs;
        EXPECT_EQ(std::pair(player.macro.loopEnabled, player.macro.loopCount), std::pair(1, 7)) << saveAs;
        EXPECT_EQ(modified(), 0) << saveAs;
    }
}

TEST_F(FileCommandsTest, SaveWritesToTheKnownNameOrAsksForOne) {
    // chosen "-": the chooser is not shown.
    struct Case {
        const char* label; std::string path; std::optional<std::string> chosen; bool failWrite;
        SaveOutcome outcome; std::string savedAs;
    };
    const Case cases[] = {
        {"known name", "C:\\m\\a.TPM", "-", false, SaveOutcome::Saved, "C:\\m\\a.TPM"},
        {"chosen name", "", "C:\\m\\n.tpm", false, SaveOutcome::Saved, "C:\\m\\n.TPM"},
        {"chooser cancelled", "", std::nullopt, false, SaveOutcome::Cancelled, ""},
        {"not a macro name", "", "C:\\m\\notes.txt", false, SaveOutcome::Cancelled, ""},
        {"write fails", "C:\\m\\a.TPM", "-", true, SaveOutcome::Failed, "C:\\m\\a.TPM"},
    };
    for (const Case& c : cases) {
        reset(false, 1, c.path);
        files.files.erase("C:\\m\\a.TPM");
        files.failWrites = c.failWrite;
        if (c.chosen != "-") dialogs.answer = c.chosen;
        view.calls.clear();
        EXPECT_EQ(fileCommands.save(), c.outcome) << c.label;
        EXPECT_EQ(dialogs.initialNames.size(), c.chosen == "-" ? 0u : 1u) << c.label;
        const bool saved = c.outcome == SaveOutcome::Saved;
        EXPECT_EQ(files.content(c.savedAs) != nullptr, saved) << c.label;
        EXPECT_EQ(path, saved ? c.savedAs : c.path) << c.label;
        EXPECT_EQ(modified(), saved ? 0 : 1) << c.label;
        EXPECT_EQ(resumable(), 1) << c.label;
        EXPECT_EQ(view.messages.size(), c.failWrite || c.chosen == "C:\\m\\notes.txt" ? 1u : 0u) << c.label;
        // The loop boxes are read first; only a save shows the new caption.
        EXPECT_EQ(view.calls.front(), "readLoopControls") << c.label;
        EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "updateTitle"), saved ? 1 : 0) << c.label;
    }
    reset(true);
    view.calls.clear();
    EXPECT_EQ(fileCommands.save(), SaveOutcome::NothingToSave);
    EXPECT_TRUE(view.calls.empty());
}

}  // namespace
}  // namespace tappling
