#include "ui/logic/AutoRunStart.h"

#include <gtest/gtest.h>

namespace tappling {
namespace {

using Show = AutoRunStart::Show;

TEST(AutoRunStart, HoldsTheWindowUntilTheLoopShowsItThenStartsOnce) {
    AutoRunStart start;
    start.begin();
    EXPECT_EQ(start.onShow(), Show::Hold);  // the show right after initialisation
    EXPECT_FALSE(start.onLoopRunning(false));
    EXPECT_EQ(start.onShow(), Show::AllowAndStart);  // the loop's first show
    EXPECT_EQ(start.onShow(), Show::Allow);          // later shows leave the run alone
    EXPECT_FALSE(start.onLoopRunning(false));
}

TEST(AutoRunStart, AWindowAlreadyVisibleStartsWhenTheLoopRuns) {
    AutoRunStart start;
    start.begin();
    EXPECT_TRUE(start.onLoopRunning(true));
    EXPECT_EQ(start.onShow(), Show::Allow);
    EXPECT_FALSE(start.onLoopRunning(true));
}

TEST(AutoRunStart, NormalStartsNeverHoldOrStart) {
    AutoRunStart start;
    EXPECT_EQ(start.onShow(), Show::Allow);
    EXPECT_FALSE(start.onLoopRunning(true));
    EXPECT_FALSE(start.onLoopRunning(false));
    EXPECT_EQ(start.onShow(), Show::Allow);
}

}  // namespace
}  // namespace tappling
