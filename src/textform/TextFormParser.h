// Reads the text form back into a macro. Every mistake is reported with its line and
// column (1-based, counted in characters); parsing goes on after a mistake so that one
// run shows them all, up to kMaxTextErrors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ActionList.h"
#include "textform/CodePageText.h"

namespace tappling {

struct TextDiagnostic {
    int32_t line;
    int32_t column;
    std::string message;
};

struct ParsedText {
    Macro macro;
    std::vector<int32_t> actionLines;    // the line each action was read from
    std::vector<TextDiagnostic> errors;  // empty when the text is sound
};

inline constexpr size_t kMaxTextErrors = 50;
// Far beyond any real macro; keeps the memory a text can ask for bounded.
inline constexpr int32_t kMaxTextActions = 1000000;

ParsedText parseTextForm(std::string_view text, const CodePageText& codePage);

}  // namespace tappling
