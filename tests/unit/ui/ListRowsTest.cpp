#include "ui/logic/ListRows.h"

#include <gtest/gtest.h>

namespace tappling {
namespace {

TEST(ListRows, ColumnsInOrderWithWidths) {
    const char* titles[] = {"No", "Memo", "x", "y", "BW", "Act", "AW", "Loop", "ST"};
    const int widths[] = {36, 100, 36, 36, 36, 120, 36, 36, 25};
    for (int i = 0; i < kListColumnCount; ++i) {
        EXPECT_EQ(kListColumns[static_cast<size_t>(i)].title, titles[i]);
        EXPECT_EQ(kListColumns[static_cast<size_t>(i)].width, widths[i]);
    }
}

TEST(ListRows, PositionedActionShowsAllNumbers) {
    ActionRecord record;
    record.actionType = ActionType::LeftClick;
    record.x = -12;
    record.y = 340;
    record.preWaitMs = 1500;
    record.postWaitMs = 250;
    record.repeatCount = 3;
    record.comment = "\x83\x81\x83\x82";  // "メモ" in code page 932, kept as bytes
    const auto cells = rowTexts(record, 4);
    EXPECT_EQ(cells[0], "5");
    EXPECT_EQ(cells[1], "\x83\x81\x83\x82");
    EXPECT_EQ(cells[2], "-12");
    EXPECT_EQ(cells[3], "340");
    EXPECT_EQ(cells[4], "1500");
    EXPECT_EQ(cells[5], std::string(typeName(ActionType::LeftClick)));
    EXPECT_EQ(cells[6], "250");
    EXPECT_EQ(cells[7], "3");
    EXPECT_EQ(cells[8], "");
}

struct PositionCase {
    ActionType type;
    bool shown;
};

class ListRowsPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(ListRowsPosition, DashWithoutPosition) {
    ActionRecord record;
    record.actionType = GetParam().type;
    record.x = 7;
    record.y = 8;
    const auto cells = rowTexts(record, 0);
    EXPECT_EQ(cells[2], GetParam().shown ? "7" : "-");
    EXPECT_EQ(cells[3], GetParam().shown ? "8" : "-");
}

INSTANTIATE_TEST_SUITE_P(Types, ListRowsPosition,
                         ::testing::Values(PositionCase{ActionType::WaitOnly, false},
                                           PositionCase{ActionType::KeyboardInput, false},
                                           PositionCase{ActionType::ExecuteFile, false},
                                           PositionCase{ActionType::Skip, false},
                                           PositionCase{ActionType::Condition, true},
                                           PositionCase{ActionType::MoveOnly, true},
                                           PositionCase{ActionType::RightDoubleClick, true}));

TEST(ListRows, FirstLoopOnlyMark) {
    ActionRecord record;
    record.firstLoopOnly = 1;
    EXPECT_EQ(rowTexts(record, 0)[8], "○");
    record.firstLoopOnly = 2;  // only exactly 1 counts
    EXPECT_EQ(rowTexts(record, 0)[8], "");
}

TEST(ListRows, UnknownTypeHasEmptyName) {
    ActionRecord record;
    record.actionType = static_cast<ActionType>(99);
    EXPECT_EQ(rowTexts(record, 0)[5], "");
}

TEST(ListRows, TypedNumberFindsTheRow) {
    const struct {
        int32_t rows, start;
        const char* typed;
        bool partial, wrap;
        int32_t expected;
    } cases[] = {
        {12, 3, "1", true, true, 9},    {12, 10, "1", true, true, 10}, {12, 11, "2", true, true, 1},
        {12, 11, "2", true, false, -1}, {12, 0, "z", true, true, -1},  {12, 0, "1", false, true, 0},
        {12, 5, "12", false, true, 11}, {0, 0, "1", true, true, -1},   {5, 9, "3", true, true, 2},
        {5, 0, "", true, true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " from " + std::to_string(c.start));
        EXPECT_EQ(findRowByNumber(c.rows, c.start, c.typed, c.partial, c.wrap), c.expected);
    }
}

}  // namespace
}  // namespace tappling
