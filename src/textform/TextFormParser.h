// Reads the text form back into a macro. Every mistake is reported with its line and
// column (1-based, counted in characters); parsing goes on after a mistake so that one
// run shows them all, up to kMaxTextErrors. An action line may start with a label,
// "@name", and a jump field may name a label ("trueJump=@name") instead of a number.
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

// Where a field was written: action (0-based), column of its name.
struct FieldPlace {
    int32_t action;
    int32_t column;
    std::string_view field;  // the field table's name
};

struct ParsedText {
    Macro macro;
    std::vector<int32_t> actionLines;    // the line each action was read from
    std::vector<FieldPlace> fieldPlaces;  // in action order
    std::vector<TextDiagnostic> errors;  // empty when the text is sound

    // The column of the field on action's line (1-based action), 0 when it was not written.
    int32_t columnOf(int32_t action, std::string_view field) const;
};

inline constexpr size_t kMaxTextErrors = 50;
// Far beyond any real macro; keeps the memory a text can ask for bounded.
inline constexpr int32_t kMaxTextActions = 1000000;

ParsedText parseTextForm(std::string_view text, const CodePageText& codePage);

}  // namespace tappling
