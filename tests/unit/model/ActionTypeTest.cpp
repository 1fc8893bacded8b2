#include <gtest/gtest.h>

#include "model/ActionType.h"

namespace tappling {
namespace {

TEST(ActionType, NamesAndPositionsFollowTheCodeTable) {
    EXPECT_EQ(typeName(ActionType::LeftClick), "左クリック");
    EXPECT_EQ(typeName(ActionType::CtrlRight), "Ctrl+→ 押下");
    EXPECT_EQ(typeName(static_cast<ActionType>(26)), "");
    EXPECT_EQ(typeName(static_cast<ActionType>(-1)), "");
    EXPECT_TRUE(hasPosition(static_cast<ActionType>(26)));
    EXPECT_TRUE(hasPosition(static_cast<ActionType>(-1)));
    EXPECT_TRUE(hasPosition(ActionType::MoveOnly));
    EXPECT_TRUE(hasPosition(ActionType::Condition));
    EXPECT_FALSE(hasPosition(ActionType::WaitOnly));
    EXPECT_FALSE(hasPosition(ActionType::ExecuteFile));
    EXPECT_FALSE(hasPosition(ActionType::Skip));
    EXPECT_FALSE(hasPosition(ActionType::CtrlRight));
}

}  // namespace
}  // namespace tappling
