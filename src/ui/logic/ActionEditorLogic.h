// The arithmetic behind the action editor and the detail settings: the step buttons,
// jump and offset numbers shown as absolute action numbers, which controls each action
// type uses, and the cut of a dropped path. Values are int32 as stored; sums that would
// leave that range saturate instead of wrapping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ActionType.h"
#include "model/CodePage.h"

namespace tappling {

// The small up/down buttons beside "ループ回数", "前ウェイト" and "後ウェイト".
int32_t repeatCountUp(int32_t count);    // count + 1
int32_t repeatCountDown(int32_t count);  // count - 1, at least 1
int32_t waitUp(int32_t waitMs);          // next multiple of 500 above (toward zero for negatives)
int32_t waitDown(int32_t waitMs);        // next multiple of 500 below, at least 0

// A nudge button's one-pixel move of a coordinate, stopping at the ends of int32.
int32_t nudgeCoordinate(int32_t value, int32_t delta);

// The refusal of a typed text the code page cannot hold (it would be saved with '?' or a
// look-alike in place of the character): "「<label>」に使えない文字が含まれています。".
std::string unusableCharactersMessage(std::string_view fieldLabel);

// trueJump, falseJump and offsetRef are stored relative to the action's own position and
// shown as absolute 1-based numbers (rowNumber is the action's own number).
int64_t shownActionNumber(int32_t relative, int32_t rowNumber);
std::string shownActionNumberText(int32_t relative, int32_t rowNumber);
// The box text read like atoi (without the int32 cut, so every stored value survives a
// round trip) and turned back into the relative value.
int32_t relativeFromShownText(std::string_view text, int32_t rowNumber);

// Which of the type-dependent controls of the editor are enabled for a type.
struct EditorControlStates {
    bool positionBoxes = false;      // the x and y boxes follow hasPosition
    bool inputText = false;          // "入力文字", "入力後改行"
    bool fileControls = false;       // "ファイル名", "最大化起動", "参照"
    bool conditionControls = false;  // swatch, "指定", "取得", "以外の場合"; swatch in the condition colour
    bool detailButton = false;       // "詳細設定"
    bool operator==(const EditorControlStates&) const = default;
};
EditorControlStates editorControlStates(ActionType type);

// The detail settings leave only "真 No." editable for a Skip.
bool detailRangeAndFalseJumpEnabled(ActionType type);

// A dropped path is taken into a 256-byte buffer: at most 255 bytes are kept, cut before
// a double-byte character that would not fit whole.
inline constexpr size_t kDroppedPathMaxBytes = 255;
std::string cutDroppedPath(std::string_view ansiPath, const CodePage& codePage);

}  // namespace tappling
