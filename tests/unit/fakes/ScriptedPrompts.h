// The user's side of the file dialog and the message boxes: answers as scripted and keeps
// what was asked and shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/MacroFileChooser.h"
#include "model/Prompter.h"

namespace tappling {

class ScriptedDialogs final : public FileDialogs {
public:
    std::optional<std::string> answer;  // nullopt: cancel
    bool answerFits = true;             // false: a name the code page cannot hold
    std::vector<ChooseMode> modes;
    std::vector<std::string> initialNames;
    std::optional<ChosenFile> choose(ChooseMode mode, const std::string& initialName) override {
        modes.push_back(mode);
        initialNames.push_back(initialName);
        if (!answer) return std::nullopt;
        return ChosenFile{*answer, answerFits};
    }
};

// Every yes/no/cancel question gets `answer`; OK/cancel questions are cancelled.
class ScriptedPrompter final : public Prompter {
public:
    Answer answer = Answer::Cancel;
    std::vector<std::string> messages, questions;
    void inform(std::string_view text) override { messages.emplace_back(text); }
    Answer askYesNoCancel(std::string_view question) override {
        questions.emplace_back(question);
        return answer;
    }
    bool askOkCancel(std::string_view) override { return false; }
};

}  // namespace tappling
