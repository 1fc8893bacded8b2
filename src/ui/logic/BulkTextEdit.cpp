#include "ui/logic/BulkTextEdit.h"

#include "ui/logic/NumberText.h"

namespace tappling {

size_t findComma(std::string_view text, const CodePage& codePage) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',') return i;
        if (codePage.isLeadByte(static_cast<uint8_t>(text[i]))) ++i;  // skip the trail byte
    }
    return std::string_view::npos;
}

namespace {

// True when the token names a KeyboardInput action, which then gets the text.
bool applyToken(ActionList& actions, std::string_view token, const std::string& newText) {
    const int32_t number = parseLeadingInt(token);
    if (number < 1 || number > actions.size()) return false;
    ActionRecord& record = actions.at(number - 1);
    if (record.actionType != ActionType::KeyboardInput) return false;
    record.inputText = newText;
    return true;
}

}  // namespace

BulkEditOutcome applyBulkTextEdit(ActionList& actions, std::string_view numberList, const std::string& newText,
                                  const CodePage& codePage) {
    BulkEditOutcome outcome;
    std::string_view rest = numberList;
    for (;;) {
        std::string_view token;
        const size_t comma = findComma(rest, codePage);
        if (comma != std::string_view::npos) {
            token = rest.substr(0, comma);
            rest = rest.substr(comma + 1);
        }
        if (!token.empty()) {
            if (applyToken(actions, token, newText)) {
                outcome.done.append(token).push_back(',');
                ++outcome.changes;
            }
            continue;
        }
        // An empty item (or no comma left): the whole rest is the last token.
        if (applyToken(actions, rest, newText)) {
            outcome.done.append(rest);
            ++outcome.changes;
        }
        return outcome;
    }
}

std::string bulkEditMessage(std::string_view doneUtf8) {
    if (doneUtf8.empty()) return "編集不可";
    return "編集終了  ( " + std::string(doneUtf8) + " )";
}

}  // namespace tappling
