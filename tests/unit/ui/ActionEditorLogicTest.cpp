#include "ui/logic/ActionEditorLogic.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fakes/Cp932CodePage.h"

namespace tappling {
namespace {

TEST(EditorStepButtons, FollowTheTable) {
    const struct {
        const char* button;
        int32_t (*step)(int32_t);
        int32_t before, after;
    } cases[] = {
        {"repeat+", repeatCountUp, 1, 2},        {"repeat+", repeatCountUp, -5, -4},
        {"repeat+", repeatCountUp, INT32_MAX, INT32_MAX},                   {"repeat-", repeatCountDown, 1, 1},
        {"repeat-", repeatCountDown, 10, 9},     {"repeat-", repeatCountDown, 0, 1},
        {"repeat-", repeatCountDown, INT32_MIN, 1},                         {"wait+", waitUp, 0, 500},
        {"wait+", waitUp, 499, 500},             {"wait+", waitUp, 500, 1000},
        {"wait+", waitUp, -700, 0},              {"wait+", waitUp, -1000, -500},
        {"wait+", waitUp, INT32_MAX, INT32_MAX}, {"wait+", waitUp, INT32_MIN, -2147483000},
        {"wait-", waitDown, 1000, 500},          {"wait-", waitDown, 501, 500},
        {"wait-", waitDown, 250, 0},             {"wait-", waitDown, -300, 0},
        {"wait-", waitDown, INT32_MIN, 0},       {"wait-", waitDown, INT32_MAX, 2147483500},
    };
    for (const auto& c : cases) EXPECT_EQ(c.step(c.before), c.after) << c.button << " on " << c.before;
    EXPECT_EQ(nudgeCoordinate(10, -1), 9);
    EXPECT_EQ(nudgeCoordinate(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(nudgeCoordinate(INT32_MIN, -1), INT32_MIN);
}

// Jumps and offsets are shown as absolute numbers; the box text is read back like atoi.
// A case that round-trips is also shown as its text.
TEST(EditorActionNumbers, ShowAbsoluteAndReadBackRelative) {
    const struct {
        const char* text;
        int32_t rowNumber, relative;
        bool roundTrip;
    } cases[] = {
        {"5", 4, 1, true},    {"4", 4, 0, true},     {"3", 5, -2, true},   {"0", 1, -1, true},
        {"2147483652", 5, INT32_MAX, true},          {"-2147483647", 1, INT32_MIN, true},
        {"", 4, -4, false},   {"abc", 3, -3, false}, {" +8x", 2, 6, false}, {"-3", 2, -5, false},
        {"99999999999999999999", 1, INT32_MAX, false}, {"-99999999999999999999", 1, INT32_MIN, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(relativeFromShownText(c.text, c.rowNumber), c.relative) << c.text;
        if (c.roundTrip) { EXPECT_EQ(shownActionNumberText(c.relative, c.rowNumber), c.text); }
    }
}

TEST(EditorTypeControls, FollowTheType) {
    using enum ActionType;
    const struct {
        ActionType type;
        const char* enabled;  // P position boxes, I input text, F file, C condition, D detail
    } cases[] = {{LeftClick, "P"}, {MoveOnly, "P"},  {WaitOnly, ""},  {KeyboardInput, "I"}, {ExecuteFile, "F"},
                 {Condition, "PCD"}, {Skip, "D"},    {Shutdown, ""},  {CtrlRight, ""},
                 {static_cast<ActionType>(26), "P"}, {static_cast<ActionType>(-1), "P"}};
    for (const auto& c : cases) {
        auto on = [&](char letter) { return std::strchr(c.enabled, letter) != nullptr; };
        EXPECT_EQ(editorControlStates(c.type), (EditorControlStates{on('P'), on('I'), on('F'), on('C'), on('D')}))
            << code(c.type);
    }
    EXPECT_FALSE(detailRangeAndFalseJumpEnabled(Skip));
    EXPECT_TRUE(detailRangeAndFalseJumpEnabled(Condition));
}

// At most 255 bytes, cut before a double-byte character that does not fit whole.
TEST(DroppedPath, KeepsAtMost255BytesWithoutSplittingACharacter) {
    const Cp932CodePage cp932;
    const std::string kanji = "\x8a\xbf";
    EXPECT_EQ(cutDroppedPath(std::string(300, 'a'), cp932), std::string(255, 'a'));
    EXPECT_EQ(cutDroppedPath("C:\\a.txt", cp932), "C:\\a.txt");
    EXPECT_EQ(cutDroppedPath(std::string(254, 'b') + kanji + "c", cp932), std::string(254, 'b'));
    EXPECT_EQ(cutDroppedPath(std::string(253, 'b') + kanji + "c", cp932), std::string(253, 'b') + kanji);
    EXPECT_EQ(cutDroppedPath("", cp932), "");
}

TEST(ActionEditorLogicTest, UnusableCharactersAreRefusedByTheirFieldsLabel) {
    EXPECT_EQ(unusableCharactersMessage("コメント"), "「コメント」に使えない文字が含まれています。");
    EXPECT_EQ(unusableCharactersMessage("入力文字"), "「入力文字」に使えない文字が含まれています。");
}

}  // namespace
}  // namespace tappling
