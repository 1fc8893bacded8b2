// The bulk text edit: one new input text for every listed keyboard-input action. The
// list is 1-based action numbers separated by ASCII commas; the numbers are read like
// atoi and the tokens are reported back exactly as typed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ActionList.h"
#include "model/CodePage.h"

namespace tappling {

// The first ASCII comma that is a character of its own (never the second byte of a
// double-byte character); npos when there is none.
size_t findComma(std::string_view text, const CodePage& codePage);

struct BulkEditOutcome {
    std::string done;      // the changed tokens as typed, each but the last item followed by ","
    int32_t changes = 0;   // how many times an action was given the text
};

// Gives newText to the listed KeyboardInput actions. An empty item ends the list: the
// rest after it is read as one last token. Numbers outside the list, other types and
// tokens that are not numbers are skipped.
BulkEditOutcome applyBulkTextEdit(ActionList& actions, std::string_view numberList, const std::string& newText,
                                  const CodePage& codePage);

// The closing message (UTF-8): "編集終了  ( " done " )", or "編集不可" when nothing changed.
std::string bulkEditMessage(std::string_view doneUtf8);

}  // namespace tappling
