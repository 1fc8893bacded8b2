#include "ui/logic/FileCommandLogic.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "fakes/ScriptedPrompts.h"
#include "model/MacroBytes.h"
#include "ui/logic/Caption.h"

namespace tappling {
namespace {

using Names = std::vector<std::string>;

// Keeps the caption the window would show, and counts the view's rebuilds.
struct RecordingHost final : FileCommandHost {
    RecordingHost(const std::string& path, const CodePage& codePage) : path(path), codePage(codePage) {}
    const std::string& path;
    const CodePage& codePage;
    std::string caption;
    int refreshes = 0;
    void readLoopControls() override {}
    void updateTitle() override { caption = titleText(path, codePage); }
    void refreshList() override { ++refreshes; }
    void hideMarker() override {}
};

class FileCommandLogicTest : public ::testing::Test {
protected:
    FileCommandLogicTest() {
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
        macro = Macro{};
        if (!empty) for (const char* c : {"a0", "a1", "a2"}) macro.actions.append(record(c));
        macro.loopEnabled = 1;
        macro.loopCount = 7;
        modified = modifiedValue;
        resumable = 1;
        path = at;
        host.caption = "(untouched)";
        host.refreshes = 0;
        prompter = ScriptedPrompter{};
        dialogs = ScriptedDialogs{};
        files.files = fixtureFiles;
        files.failWrites = false;
        files.writeCount = 0;
    }
    Names comments() const {
        Names out;
        for (const ActionRecord& r : macro.actions.records()) out.push_back(r.comment);
        return out;
    }
    // Everything exactly as reset() left it.
    void expectUntouched(const std::string& label) {
        EXPECT_EQ(comments(), (Names{"a0", "a1", "a2"})) << label;
        EXPECT_EQ(std::pair(macro.loopEnabled, macro.loopCount), std::pair(1, 7)) << label;
        EXPECT_EQ(path, "C:\\m\\a.TPM") << label;
        EXPECT_EQ(modified, 1) << label;
        EXPECT_EQ(host.refreshes, 0) << label;
        EXPECT_EQ(host.caption, "(untouched)") << label;
    }

    Cp932CodePage codePage;
    Macro macro;
    int32_t modified = 1, resumable = 1;
    std::string path;
    FakeFileAccess files;
    std::map<std::string, std::string> fixtureFiles;
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    RecordingHost host{path, codePage};
    MacroDocument document{macro, modified, resumable, path};
    FileCommandServices services{files, dialogs, prompter, codePage};
};

TEST_F(FileCommandLogicTest, SaveAsSpellsTheExtensionRefusesOtherNamesAndReportsFailures) {
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
        EXPECT_EQ(saveMacroAs(document, host, services), c.outcome) << label;
        EXPECT_EQ(dialogs.initialNames, Names{"C:\\m\\a.TPM"}) << label;
        EXPECT_EQ(prompter.messages, c.message.empty() ? Names{} : Names{c.message}) << label;
        const bool saved = c.outcome == SaveOutcome::Saved;
        EXPECT_EQ(files.content("C:\\m\\x.TPM") != nullptr, saved) << label;
        EXPECT_EQ(path, saved ? "C:\\m\\x.TPM" : "C:\\m\\a.TPM") << label;
        EXPECT_EQ(host.caption, saved ? "Tappling x.TPM" : "Tappling a.TPM") << label;  // also after a cancel
        EXPECT_EQ(modified, saved ? 0 : 1) << label;
    }
    reset(true);  // an empty list: nothing to save, new needs no question
    EXPECT_EQ(saveMacroAs(document, host, services), SaveOutcome::NothingToSave);
    EXPECT_EQ(newMacro(document, host, services), 1);
    EXPECT_TRUE(dialogs.initialNames.empty() && prompter.questions.empty());
    EXPECT_EQ(host.caption, "(untouched)");
}

TEST_F(FileCommandLogicTest, NewMacroAnswers) {
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
        prompter.answer = c.answer;
        dialogs.answer = c.chosen;
        const bool kept = c.written == "-";
        EXPECT_EQ(newMacro(document, host, services), kept ? 0 : 1) << c.label;
        EXPECT_EQ(prompter.questions.size(), c.modified == 1 ? 1u : 0u) << c.label;
        const bool writes = !kept && !c.written.empty();
        EXPECT_EQ(files.writeCount, writes ? 1 : 0) << c.label;
        EXPECT_TRUE(!writes || files.content(c.written)) << c.label;
        EXPECT_EQ(macro.actions.size(), kept ? 3 : 0) << c.label;
        EXPECT_EQ(path, kept ? c.path : "") << c.label;
        EXPECT_EQ(modified, kept ? 1 : 0) << c.label;
        EXPECT_EQ(host.caption, kept ? "(untouched)" : "Tappling ") << c.label;
        EXPECT_EQ(resumable, kept || c.modified == 0 ? 1 : 0) << c.label;
    }
}

TEST_F(FileCommandLogicTest, OpenImportAndDropLoadOrKeepTheMacroWhole) {
    auto load = [&](int command, const std::string& file) {  // 0 open, 1 import, 2 drop
        dialogs.answer = file;
        return command == 2 ? dropMacroFile(document, host, services, file)
                            : openMacroFile(document, host, services, command ? ReadMode::Import : ReadMode::Open);
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
        EXPECT_EQ(host.caption, "Tappling b.TPM") << command;
        EXPECT_GE(host.refreshes, 1) << command;
        // The reader's fault must not reach the user's list.
        for (const auto& [file, message] : unreadable) {
            const std::string label = std::string(file) + " command " + std::to_string(command);
            reset();
            EXPECT_EQ(load(command, file), LoadOutcome::Refused) << label;
            ASSERT_EQ(prompter.messages.size(), 1u) << label;
            EXPECT_EQ(prompter.messages[0], message.empty() ? prompter.messages[0] : message) << label;
            EXPECT_FALSE(prompter.messages[0].empty()) << label;
            EXPECT_TRUE(prompter.questions.empty()) << label;
            expectUntouched(label);
        }
    }
    reset();
    EXPECT_EQ(dropMacroFile(document, host, services, "C:\\m\\notes.txt"), LoadOutcome::Refused);
    EXPECT_EQ(prompter.messages, Names{std::string(kNotAMacroFileText)});
}

TEST_F(FileCommandLogicTest, DropAnswersTheSaveQuestionAlwaysThroughTheChooser) {
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
        prompter.answer = c.answer;
        dialogs.answer = c.chosen;
        EXPECT_EQ(dropMacroFile(document, host, services, "C:\\m\\B.tpm") == LoadOutcome::Loaded, c.loaded) << c.label;
        EXPECT_EQ(prompter.questions.size(), c.emptyList ? 0u : 1u) << c.label;
        // Yes asks for the name even when it is known.
        EXPECT_EQ(dialogs.initialNames, c.answer == Answer::Yes ? Names{"C:\\m\\a.TPM"} : Names{}) << c.label;
        EXPECT_EQ(files.content("C:\\m\\saved.TPM") != nullptr, c.chosen.has_value()) << c.label;
        if (!c.loaded) {
            expectUntouched(c.label);
            continue;
        }
        EXPECT_EQ(comments(), (Names{"b0", "b1"})) << c.label;
        EXPECT_EQ(path, "C:\\m\\B.tpm") << c.label;
        EXPECT_EQ(host.caption, "Tappling B.tpm") << c.label;
        EXPECT_EQ(modified + resumable, c.emptyList ? 2 : 0) << c.label;  // the empty-list path keeps the flags
    }
}

TEST_F(FileCommandLogicTest, DropOfTheFileJustSavedOverShowsWhatWasSaved) {
    // The chooser offers the current name; saving over the dropped file itself must not
    // bring back its old content (a later save would write that over the user's changes).
    for (const std::string saveAs : {"C:\\m\\b.TPM", "C:\\m\\B.tpm"}) {
        reset(false, 1, "C:\\m\\b.TPM");
        prompter.answer = Answer::Yes;
        dialogs.answer = saveAs;
        EXPECT_EQ(dropMacroFile(document, host, services, "C:\\m\\b.TPM"), LoadOutcome::Loaded) << saveAs;
        EXPECT_EQ(comments(), (Names{"a0", "a1", "a2"})) << saveAs;
        EXPECT_EQ(std::pair(macro.loopEnabled, macro.loopCount), std::pair(1, 7)) << saveAs;
        EXPECT_EQ(modified, 0) << saveAs;
    }
}

}  // namespace
}  // namespace tappling
