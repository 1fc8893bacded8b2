// Each kind of change against the flags it leaves, from two opposite starting points, so
// a flag kept is told apart from one set or cleared.
#include <gtest/gtest.h>

#include "commands/CommandRig.h"

namespace tappling {
namespace {

using Flags = std::pair<int32_t, int32_t>;  // modified, resumable

TEST(MacroChangeTest, EachKindOfChangeGivesItsFlags) {
    struct Case { MacroChange change; Flags fromEdited, fromStopped; };  // from (1, 0) and from (0, 1)
    const Case cases[] = {
        {MacroChange::Edited, {1, 0}, {1, 0}},
        {MacroChange::Recorded, {1, 0}, {1, 0}},
        {MacroChange::LoopBoxClicked, {1, 0}, {1, 0}},
        {MacroChange::LoopCountTyped, {1, 0}, {1, 1}},
        {MacroChange::WaitsShifted, {1, 0}, {1, 1}},
        {MacroChange::TextsReplaced, {1, 0}, {1, 1}},
        {MacroChange::MarkerEdited, {1, 0}, {1, 1}},
        {MacroChange::FileRead, {1, 0}, {0, 1}},
        {MacroChange::Saved, {0, 0}, {0, 1}},
        {MacroChange::Replaced, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        const int kind = static_cast<int>(c.change);
        testing::CommandRig rig;
        rig.setFlags(1, 0);
        rig.player.noteChange(c.change);
        EXPECT_EQ(Flags(rig.player.modified(), rig.player.resumable()), c.fromEdited) << kind;
        rig.setFlags(0, 1);
        rig.player.noteChange(c.change);
        EXPECT_EQ(Flags(rig.player.modified(), rig.player.resumable()), c.fromStopped) << kind;
    }
}

}  // namespace
}  // namespace tappling
