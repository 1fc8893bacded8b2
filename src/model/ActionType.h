// Action type codes. Files store these numbers, so they never change; any int32 value
// may appear in a loaded record (unknown codes have an empty name and count as positioned).
#pragma once

#include <cstdint>
#include <string_view>

namespace tappling {

enum class ActionType : int32_t {
    LeftClick = 0,
    LeftDoubleClick = 1,
    LeftUp = 2,
    LeftDown = 3,
    RightClick = 4,
    RightDoubleClick = 5,
    RightUp = 6,
    RightDown = 7,
    MoveOnly = 8,
    WaitOnly = 9,
    KeyboardInput = 10,
    CtrlC = 11,
    CtrlV = 12,
    CtrlA = 13,
    DeleteKey = 14,
    EnterKey = 15,
    TabKey = 16,
    UpKey = 17,
    DownKey = 18,
    LeftKey = 19,
    RightKey = 20,
    ExecuteFile = 21,
    Condition = 22,
    Skip = 23,
    Shutdown = 24,
    CtrlRight = 25,
};

constexpr int32_t kActionTypeCount = 26;

constexpr int32_t code(ActionType type) { return static_cast<int32_t>(type); }

// The name shown in the list and the editor (UTF-8); empty for codes outside 0..25.
std::string_view typeName(ActionType type);

// False only for the types that do not act at a screen point (9..21, 23..25).
bool hasPosition(ActionType type);

}  // namespace tappling
