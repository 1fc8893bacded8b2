// One action of a macro: a plain value, copied whole between the list, the editor and
// the copy buffer. Strings are bytes in the system ANSI code page, as the file stores them.
#pragma once

#include <cstdint>
#include <string>

#include "model/ActionType.h"

namespace tappling {

struct ActionRecord {
    int32_t x = 0;
    int32_t y = 0;
    int32_t reserved2 = 0;  // carried through files unchanged
    ActionType actionType = ActionType::LeftClick;
    int32_t preWaitMs = 500;
    int32_t postWaitMs = 500;
    int32_t repeatCount = 1;
    std::string inputText;
    int32_t newlineAfterInput = 0;
    std::string comment;
    std::string filePath;
    int32_t startMaximized = 0;
    int32_t firstLoopOnly = 0;
    int32_t conditionColor = 0;  // COLORREF layout 0x00BBGGRR
    int32_t invertCondition = 0;
    int32_t trueJump = 1;        // relative to the record's own position
    int32_t falseJump = 0;       // relative
    int32_t searchRangeX = 0;
    int32_t searchRangeY = 0;
    int32_t offsetEnabled = 0;
    int32_t offsetRef = 0;       // relative
    // Written by playback when a Condition finds its colour; never saved.
    int32_t foundDx = 0;
    int32_t foundDy = 0;

    bool operator==(const ActionRecord&) const = default;
};

inline ActionRecord makeDefaultRecord() { return ActionRecord{}; }

}  // namespace tappling
