#include "ui/logic/FileCommandLogic.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

#include "fakes/Cp932CodePage.h"
#include "fakes/FakeFileAccess.h"
#include "model/MacroBytes.h"
#include "ui/logic/Caption.h"

namespace tappling {
namespace {

using testbytes::header;
using testbytes::i32;
using testbytes::str;

struct ChooserCall {
    ChooseMode mode;
    std::string initialName;
};

class ScriptedDialogs final : public FileDialogs {
public:
    std::deque<std::optional<std::string>> answers;  // empty: cancel
    std::vector<ChooserCall> calls;
    std::optional<std::string> choose(ChooseMode mode, const std::string& initialName) override {
        calls.push_back({mode, initialName});
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedPrompter final : public Prompter {
public:
    Answer answer = Answer::Cancel;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    void inform(std::string_view text) override { messages.emplace_back(text); }
    Answer askYesNoCancel(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }
    bool askOkCancel(std::string_view) override { return false; }
};

// Keeps the caption the window would show, and counts the view's rebuilds.
class RecordingHost final : public FileCommandHost {
public:
    explicit RecordingHost(const std::string& path, const CodePage& codePage) : path_(path), codePage_(codePage) {}
    std::string caption = "(untouched)";
    int refreshes = 0;
    int markerHides = 0;
    int loopReads = 0;
    void readLoopControls() override { ++loopReads; }
    void updateTitle() override { caption = titleText(path_, codePage_); }
    void refreshList() override { ++refreshes; }
    void hideMarker() override { ++markerHides; }

private:
    const std::string& path_;
    const CodePage& codePage_;
};

ActionRecord commented(const std::string& comment) {
    ActionRecord r = makeDefaultRecord();
    r.comment = comment;
    return r;
}

std::vector<std::string> comments(const Macro& macro) {
    std::vector<std::string> out;
    for (const ActionRecord& r : macro.actions.records()) out.push_back(r.comment);
    return out;
}

class FileCommandLogicTest : public ::testing::Test {
protected:
    FileCommandLogicTest() {
        for (const char* c : {"a0", "a1", "a2"}) macro.actions.append(commented(c));
        macro.loopEnabled = 1;
        macro.loopLimited = 1;
        macro.loopCount = 7;
        Macro other;
        other.loopCount = 3;
        other.actions.append(commented("b0"));
        other.actions.append(commented("b1"));
        std::string error;
        files.writeAtomically("C:\\m\\b.TPM", "", error);
        writeMacroFile(other, "C:\\m\\b.TPM", files);
        files.put("C:\\m\\v999.TPM", str("MouseAction") + i32(999) + i32(0) + i32(0) + i32(1) + i32(0));
        files.put("C:\\m\\tag.TPM", str("MouseActioN") + i32(1202) + i32(0) + i32(0) + i32(1) + i32(0));
        files.put("C:\\m\\cut.TPM", header(1202, 0, 0, 1, 5) + testbytes::record({}, 21));
        files.writeCount = 0;
    }

    MacroDocument document{macro, modified, resumable, path};
    FileCommandServices services() { return {files, dialogs, prompter, codePage}; }
    void expectUntouched(const std::string& label) {
        EXPECT_EQ(comments(macro), (std::vector<std::string>{"a0", "a1", "a2"})) << label;
        EXPECT_EQ(macro.loopEnabled, 1) << label;
        EXPECT_EQ(macro.loopCount, 7) << label;
        EXPECT_EQ(path, "C:\\m\\a.TPM") << label;
        EXPECT_EQ(host.refreshes, 0) << label;
        EXPECT_EQ(host.caption, "(untouched)") << label;
    }

    Cp932CodePage codePage;
    Macro macro;
    int32_t modified = 1;
    int32_t resumable = 1;
    std::string path = "C:\\m\\a.TPM";
    FakeFileAccess files;
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    RecordingHost host{path, codePage};
};

TEST_F(FileCommandLogicTest, SaveAsSpellsTheExtensionAndRefusesOtherNames) {
    struct Case {
        std::optional<std::string> typed;
        std::string savedAs;  // empty: nothing written
    };
    for (const Case& c : {Case{"C:\\m\\x.tpm", "C:\\m\\x.TPM"}, Case{"C:\\m\\notes.txt", ""}, Case{std::nullopt, ""}}) {
        path = "C:\\m\\a.TPM";
        modified = 1;
        files.files.clear();
        prompter.messages.clear();
        dialogs.calls.clear();
        dialogs.answers = {c.typed};
        auto s = services();
        saveMacroAs(document, host, s);
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.calls[0].initialName, "C:\\m\\a.TPM");
        EXPECT_EQ(host.caption, titleText(path, codePage));  // also after a cancel
        if (c.savedAs.empty()) {
            EXPECT_TRUE(files.files.empty());
            EXPECT_EQ(path, "C:\\m\\a.TPM");
            EXPECT_EQ(modified, 1);
        } else {
            EXPECT_NE(files.content(c.savedAs), nullptr);
            EXPECT_EQ(path, c.savedAs);
            EXPECT_EQ(host.caption, "Tappling x.TPM");
            EXPECT_EQ(modified, 0);
        }
    }
}

TEST_F(FileCommandLogicTest, EmptyListNewAndSaveAsChangeNothing) {
    macro.actions.clear();
    auto s = services();
    EXPECT_EQ(saveMacroAs(document, host, s), SaveOutcome::NothingToSave);
    EXPECT_EQ(newMacro(document, host, s), 1);
    EXPECT_TRUE(dialogs.calls.empty() && prompter.questions.empty());
    EXPECT_EQ(path, "C:\\m\\a.TPM");
    EXPECT_EQ(host.caption, "(untouched)");
}

TEST_F(FileCommandLogicTest, FailingSavesReportAndKeepEverything) {
    files.failWrites = true;
    dialogs.answers = {"C:\\m\\new.TPM"};
    auto s = services();
    EXPECT_EQ(saveMacroAs(document, host, s), SaveOutcome::Failed);
    path.clear();
    dialogs.answers = {"C:\\m\\new.TPM"};
    SaveServices save{files, dialogs, prompter};
    EXPECT_EQ(overwriteSave(macro, modified, path, host, save), SaveOutcome::Failed);
    EXPECT_EQ(path, "");  // the chosen name was not written
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0], "disk full");
    EXPECT_EQ(modified, 1);
}

TEST_F(FileCommandLogicTest, NewMacroAnswers) {
    struct Case {
        const char* label;
        int32_t modified;
        Answer answer;
        std::string path;
        std::optional<std::string> chosen;
        bool failWrite;
        int32_t result;
        bool emptied;
        std::string written;
    };
    const Case cases[] = {
        {"unmodified", 0, Answer::Cancel, "C:\\m\\a.TPM", {}, false, 1, true, ""},
        {"yes, known name", 1, Answer::Yes, "C:\\m\\a.TPM", {}, false, 1, true, "C:\\m\\a.TPM"},
        {"yes, chosen name", 1, Answer::Yes, "", "C:\\m\\n.tpm", false, 1, true, "C:\\m\\n.TPM"},
        {"yes, chooser cancelled", 1, Answer::Yes, "", std::nullopt, false, 0, false, ""},
        {"yes, write fails", 1, Answer::Yes, "C:\\m\\a.TPM", {}, true, 0, false, ""},
        {"no", 1, Answer::No, "C:\\m\\a.TPM", {}, false, 1, true, ""},
        {"cancel", 1, Answer::Cancel, "C:\\m\\a.TPM", {}, false, 0, false, ""},
    };
    for (const Case& c : cases) {
        Macro fresh;
        for (const char* comment : {"a0", "a1"}) fresh.actions.append(commented(comment));
        macro = fresh;
        modified = c.modified;
        resumable = 1;
        path = c.path;
        host.caption = "(untouched)";
        files.files.clear();
        files.failWrites = c.failWrite;
        prompter.answer = c.answer;
        prompter.questions.clear();
        dialogs.answers = {c.chosen};
        auto s = services();
        EXPECT_EQ(newMacro(document, host, s), c.result) << c.label;
        EXPECT_EQ(prompter.questions.size(), c.modified == 1 ? 1u : 0u) << c.label;
        if (c.emptied) {
            EXPECT_TRUE(macro.actions.empty()) << c.label;
            EXPECT_EQ(path, "") << c.label;
            EXPECT_EQ(host.caption, "Tappling ") << c.label;
            EXPECT_EQ(modified, 0) << c.label;
            EXPECT_EQ(resumable, c.modified == 1 ? 0 : 1) << c.label;
        } else {
            EXPECT_EQ(macro.actions.size(), 2) << c.label;
            EXPECT_EQ(path, c.path) << c.label;
            EXPECT_EQ(modified, 1) << c.label;
        }
        if (c.written.empty()) {
            EXPECT_TRUE(files.files.empty()) << c.label;
        } else {
            EXPECT_NE(files.content(c.written), nullptr) << c.label;
        }
    }
}

TEST_F(FileCommandLogicTest, UnreadableOpenImportOrDropKeepsTheMacro) {
    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {"C:\\m\\v999.TPM", std::string(kVersionNotSupportedText)},
        {"C:\\m\\tag.TPM", std::string(kFormatNotSupportedText)},
        {"C:\\m\\missing.TPM", std::string(kFormatNotSupportedText)},
        {"C:\\m\\cut.TPM", ""},  // the reader's own text
    };
    for (const Case& c : cases) {
        for (int command = 0; command < 3; ++command) {
            const std::string label = c.file + " command " + std::to_string(command);
            prompter.messages.clear();
            dialogs.answers = {c.file};
            auto s = services();
            const LoadOutcome outcome = command == 2 ? dropMacroFile(document, host, s, c.file)
                                                     : openMacroFile(document, host, s,
                                                                     command == 0 ? ReadMode::Open : ReadMode::Import);
            EXPECT_EQ(outcome, LoadOutcome::Refused) << label;
            ASSERT_EQ(prompter.messages.size(), 1u) << label;
            if (!c.message.empty()) {
                EXPECT_EQ(prompter.messages[0], c.message) << label;
            }
            EXPECT_FALSE(prompter.messages[0].empty()) << label;
            EXPECT_TRUE(prompter.questions.empty()) << label;
            expectUntouched(label);
            EXPECT_EQ(modified, 1) << label;
        }
    }
}

TEST_F(FileCommandLogicTest, DropAnswers) {
    struct Case {
        const char* label;
        bool emptyList;
        Answer answer;
        std::optional<std::string> chosen;
        bool loaded;
    };
    const Case cases[] = {
        {"empty list", true, Answer::Cancel, {}, true},
        {"yes", false, Answer::Yes, "C:\\m\\saved.TPM", true},
        {"yes, chooser cancelled", false, Answer::Yes, std::nullopt, false},
        {"no", false, Answer::No, {}, true},
        {"cancel", false, Answer::Cancel, {}, false},
    };
    for (const Case& c : cases) {
        Macro fresh;
        if (!c.emptyList) fresh.actions.append(commented("a0"));
        macro = fresh;
        modified = 1;
        resumable = 1;
        path = "C:\\m\\a.TPM";
        host.caption = "(untouched)";
        prompter.answer = c.answer;
        prompter.questions.clear();
        dialogs.calls.clear();
        dialogs.answers = {c.chosen};
        auto s = services();
        EXPECT_EQ(dropMacroFile(document, host, s, "C:\\m\\B.tpm") == LoadOutcome::Loaded, c.loaded) << c.label;
        EXPECT_EQ(prompter.questions.size(), c.emptyList ? 0u : 1u) << c.label;
        if (c.answer == Answer::Yes) {
            ASSERT_EQ(dialogs.calls.size(), 1u) << c.label;  // even with a known name
            EXPECT_EQ(dialogs.calls[0].initialName, "C:\\m\\a.TPM") << c.label;
        }
        if (c.chosen) {
            EXPECT_NE(files.content("C:\\m\\saved.TPM"), nullptr) << c.label;
        }
        if (c.loaded) {
            EXPECT_EQ(comments(macro), (std::vector<std::string>{"b0", "b1"})) << c.label;
            EXPECT_EQ(path, "C:\\m\\B.tpm") << c.label;
            EXPECT_EQ(host.caption, "Tappling B.tpm") << c.label;
            EXPECT_EQ(modified, c.emptyList ? 1 : 0) << c.label;  // the empty-list path keeps the flags
            EXPECT_EQ(resumable, c.emptyList ? 1 : 0) << c.label;
        } else {
            EXPECT_EQ(comments(macro), (std::vector<std::string>{"a0"})) << c.label;
            EXPECT_EQ(path, "C:\\m\\a.TPM") << c.label;
            EXPECT_EQ(modified, 1) << c.label;
        }
    }
    prompter.messages.clear();
    auto s = services();
    EXPECT_EQ(dropMacroFile(document, host, s, "C:\\m\\notes.txt"), LoadOutcome::Refused);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{std::string(kNotAMacroFileText)}));
}

}  // namespace
}  // namespace tappling
