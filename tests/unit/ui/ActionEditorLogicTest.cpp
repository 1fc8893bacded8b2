#include "ui/logic/ActionEditorLogic.h"

#include <gtest/gtest.h>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

struct StepCase {
    const char* button;
    int32_t (*step)(int32_t);
    int32_t before;
    int32_t after;
};

TEST(EditorStepButtons, FollowTheTable) {
    const StepCase cases[] = {
        {"repeat+", repeatCountUp, 1, 2},          {"repeat+", repeatCountUp, -5, -4},
        {"repeat+", repeatCountUp, INT32_MAX, INT32_MAX},
        {"repeat-", repeatCountDown, 1, 1},        {"repeat-", repeatCountDown, 2, 1},
        {"repeat-", repeatCountDown, 0, 1},        {"repeat-", repeatCountDown, INT32_MIN, 1},
        {"repeat-", repeatCountDown, 10, 9},
        {"wait+", waitUp, 0, 500},                 {"wait+", waitUp, 250, 500},
        {"wait+", waitUp, 499, 500},               {"wait+", waitUp, 500, 1000},
        {"wait+", waitUp, -700, 0},                {"wait+", waitUp, -1000, -500},
        {"wait+", waitUp, INT32_MAX, INT32_MAX},   {"wait+", waitUp, INT32_MIN, -2147483000},
        {"wait-", waitDown, 1000, 500},            {"wait-", waitDown, 501, 500},
        {"wait-", waitDown, 500, 0},               {"wait-", waitDown, 250, 0},
        {"wait-", waitDown, 0, 0},                 {"wait-", waitDown, -300, 0},
        {"wait-", waitDown, INT32_MIN, 0},         {"wait-", waitDown, INT32_MAX, 2147483500},
    };
    for (const StepCase& c : cases) EXPECT_EQ(c.step(c.before), c.after) << c.button << " on " << c.before;
    EXPECT_EQ(nudgeCoordinate(10, -1), 9);
    EXPECT_EQ(nudgeCoordinate(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(nudgeCoordinate(INT32_MIN, -1), INT32_MIN);
}

struct NumberCase {
    int32_t relative;
    int32_t rowNumber;
    const char* shown;
};

TEST(EditorActionNumbers, ShowAbsoluteAndReadBackRelative) {
    const NumberCase cases[] = {
        {1, 4, "5"}, {0, 4, "4"}, {-2, 5, "3"}, {-1, 1, "0"},
        {INT32_MAX, 5, "2147483652"}, {INT32_MIN, 1, "-2147483647"},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(shownActionNumberText(c.relative, c.rowNumber), c.shown);
        EXPECT_EQ(relativeFromShownText(c.shown, c.rowNumber), c.relative) << c.shown;
    }
}

struct ReadCase {
    const char* text;
    int32_t rowNumber;
    int32_t relative;
};

TEST(EditorActionNumbers, TypedTextReadsLikeAtoi) {
    const ReadCase cases[] = {
        {"10", 4, 6},  {"2", 4, -2},  {"7", 5, 2},   {"", 4, -4},   {"abc", 3, -3},
        {" +8x", 2, 6}, {"-3", 2, -5}, {"99999999999999999999", 1, INT32_MAX},
        {"-99999999999999999999", 1, INT32_MIN},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(relativeFromShownText(c.text, c.rowNumber), c.relative) << c.text;
}

struct EnablingCase {
    ActionType type;
    EditorControlStates states;  // position, input, file, condition, detail
};

TEST(EditorTypeControls, FollowTheType) {
    const EnablingCase cases[] = {
        {ActionType::LeftClick, {true, false, false, false, false}},
        {ActionType::MoveOnly, {true, false, false, false, false}},
        {ActionType::WaitOnly, {false, false, false, false, false}},
        {ActionType::KeyboardInput, {false, true, false, false, false}},
        {ActionType::ExecuteFile, {false, false, true, false, false}},
        {ActionType::Condition, {true, false, false, true, true}},
        {ActionType::Skip, {false, false, false, false, true}},
        {ActionType::Shutdown, {false, false, false, false, false}},
        {ActionType::CtrlRight, {false, false, false, false, false}},
        {static_cast<ActionType>(26), {true, false, false, false, false}},
        {static_cast<ActionType>(-1), {true, false, false, false, false}},
    };
    for (const EnablingCase& c : cases) EXPECT_EQ(editorControlStates(c.type), c.states) << code(c.type);
    EXPECT_FALSE(detailRangeAndFalseJumpEnabled(ActionType::Skip));
    EXPECT_TRUE(detailRangeAndFalseJumpEnabled(ActionType::Condition));
}

TEST(DroppedPath, KeepsAtMost255BytesWithoutSplittingACharacter) {
    const Cp932CodePage cp932;
    const std::string ascii(300, 'a');
    EXPECT_EQ(cutDroppedPath(ascii, cp932), std::string(255, 'a'));
    EXPECT_EQ(cutDroppedPath("C:\\a.txt", cp932), "C:\\a.txt");
    // 254 single bytes then a double-byte character: it does not fit whole and is left out.
    const std::string kanji = "\x8a\xbf";
    EXPECT_EQ(cutDroppedPath(std::string(254, 'b') + kanji + "c", cp932), std::string(254, 'b'));
    EXPECT_EQ(cutDroppedPath(std::string(253, 'b') + kanji + "c", cp932), std::string(253, 'b') + kanji);
    EXPECT_EQ(cutDroppedPath("", cp932), "");
}

}  // namespace
}  // namespace tappling
