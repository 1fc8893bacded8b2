// The recorder's poll against scripted key states, pointer positions and clock.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/MacroPlayer.h"
#include "fakes/Cp932CodePage.h"
#include "fakes/FakePlatform.h"

namespace tappling {
namespace {

constexpr uint32_t kStart = 1000;      // recording starts here; events from 3000 (2 s later)
constexpr uint32_t kColour = 0x00336699;

struct Press {
    uint8_t vk;
    uint32_t at;
    uint32_t heldMs;
};
struct Move {
    uint32_t at;
    int32_t x, y;
};
struct Expected {
    ActionType type;
    int32_t x, y, preWaitMs;
};

struct Scenario {
    const char* name;
    std::vector<Press> presses;
    std::vector<Move> moves;
    std::vector<Expected> records;
    uint32_t pollSpacing = 10;
    uint32_t upCacheMs = 0;
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

class AutoRecordTest : public ::testing::Test {
protected:
    AutoRecordTest() {
        fakes.clock.set(kStart);
        fakes.input.position = {100, 200};
        fakes.screen.setPixel(100, 200, kColour);
    }
    // Polls every `spacing` ms from the start until `end`, moving the pointer on the way;
    // returns the tick of the poll that said stop (0 when none did).
    uint32_t pollUntil(uint32_t end, uint32_t spacing, const std::vector<Move>& moves = {}) {
        for (uint32_t t = fakes.clock.now(); t <= end; t += spacing) {
            fakes.clock.set(t);
            for (const Move& m : moves) {
                if (m.at <= t) fakes.input.position = {m.x, m.y};
            }
            if (player.pollRecorder() == 0) return t;
        }
        return 0;
    }
    void expectRecords(const std::vector<Expected>& expected) {
        ASSERT_EQ(player.actions().size(), static_cast<int32_t>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            const ActionRecord& r = player.actions().at(static_cast<int32_t>(i));
            SCOPED_TRACE("record " + std::to_string(i));
            EXPECT_EQ(r.actionType, expected[i].type);
            EXPECT_EQ(r.x, expected[i].x);
            EXPECT_EQ(r.y, expected[i].y);
            EXPECT_EQ(r.preWaitMs, expected[i].preWaitMs);
            EXPECT_EQ(r.postWaitMs, 0);
        }
    }

    fake::FakePlatform fakes;
    Cp932CodePage codePage;
    MacroPlayer player{fakes.platform};
};

using T = ActionType;
constexpr uint8_t L = kVkLButton, R = kVkRButton;

const Scenario kScenarios[] = {
    {"QuickClickIsOneClickWithThePreWaitSinceTheLastEvent", {{L, 3000, 100}}, {}, {{T::LeftClick, 100, 200, 2000}}},
    {"TwoQuickClicksMakeADoubleClickAndTheNextWaitCountsFromTheSecondPress",
     {{L, 3000, 100}, {L, 3300, 100}, {kVkReturn, 4000, 20}}, {{3250, 102, 203}},
     {{T::LeftDoubleClick, 100, 200, 2000}, {T::EnterKey, 102, 203, 700}}},
    {"ClicksFurtherApartThanTheDoubleClickTimeStayTwo", {{L, 3000, 100}, {L, 3600, 100}}, {},
     {{T::LeftClick, 100, 200, 2000}, {T::LeftClick, 100, 200, 600}}},
    {"HeldPressGivesDownAndUp", {{L, 3000, 800}}, {}, {{T::LeftDown, 100, 200, 2000}, {T::LeftUp, 100, 200, 800}}},
    {"PressMovedFivePixelsGivesDownAndUp", {{L, 3000, 100}}, {{3050, 105, 200}},
     {{T::LeftDown, 100, 200, 2000}, {T::LeftUp, 105, 200, 100}}},
    {"RightButtonClickAndHeldPress", {{R, 3000, 100}, {R, 4000, 700}}, {},
     {{T::RightClick, 100, 200, 2000}, {T::RightDown, 100, 200, 1000}, {T::RightUp, 100, 200, 700}}},
    {"EnterKeyAtThePointer", {{kVkReturn, 3000, 30}}, {}, {{T::EnterKey, 100, 200, 2000}}},
    {"KeyHeldOverManyPollsGivesOneRecord", {{kVkDelete, 3000, 400}, {kVkTab, 3600, 10}}, {},
     {{T::DeleteKey, 100, 200, 2000}, {T::TabKey, 100, 200, 600}}},
    {"EventWithinFiftyMsOfTheLastHandledPollIsDropped", {{kVkReturn, 3000, 20}, {kVkTab, 3060, 5}}, {},
     {{T::EnterKey, 100, 200, 2000}}},
    {"EventJustOverFiftyMsIsRecorded", {{kVkReturn, 3000, 20}, {kVkTab, 3070, 5}}, {},
     {{T::EnterKey, 100, 200, 2000}, {T::TabKey, 100, 200, 70}}},
    {"RightArrowAlone", {{kVkRight, 3000, 30}}, {}, {{T::RightKey, 100, 200, 2000}}},
    {"CtrlWithRightArrow", {{kVkControl, 2900, 300}, {kVkRight, 3000, 30}}, {}, {{T::CtrlRight, 100, 200, 2000}}},
    // A tap between two polls is seen only through its earlier press, so with Ctrl down
    // it still counts as the plain arrow.
    {"RightArrowTappedBetweenPollsWithCtrl", {{kVkControl, 2900, 300}, {kVkRight, 3001, 2}}, {},
     {{T::RightKey, 100, 200, 2010}}},
    {"ArrowsAndCtrlLetters",
     {{kVkUp, 3000, 10}, {kVkDown, 3100, 10}, {kVkLeft, 3200, 10}, {kVkControl, 3290, 500}, {kVkC, 3300, 10},
      {kVkV, 3400, 10}, {kVkA, 3500, 10}},
     {},
     {{T::UpKey, 100, 200, 2000}, {T::DownKey, 100, 200, 100}, {T::LeftKey, 100, 200, 100},
      {T::CtrlC, 100, 200, 100}, {T::CtrlV, 100, 200, 100}, {T::CtrlA, 100, 200, 100}}},
    {"LettersWithoutCtrlAreNotRecorded", {{kVkC, 3000, 10}, {kVkV, 3100, 10}, {kVkA, 3200, 10}}, {}, {}},
    // Holding the right button while clicking the left: the right release is its own.
    {"LeftClickWhileRightHeld", {{R, 3000, 1000}, {L, 3300, 100}}, {},
     {{T::RightDown, 100, 200, 2000}, {T::LeftClick, 100, 200, 300}, {T::RightUp, 100, 200, 700}}},
    // Polls 1 ms apart: a release 20 ms after the press is put off once, then handled.
    {"ReleaseWithinFiftyMsIsHandledAtTheNextPoll", {{L, 3000, 20}, {L, 3700, 100}}, {},
     {{T::LeftClick, 100, 200, 2000}, {T::LeftClick, 100, 200, 700}}, 1},
    // The press after an up falls in the quiet window: its release would follow another
    // up and is dropped, and the button is free for the next click.
    {"ReleaseAfterAnUpIsDroppedNotLeftPending", {{L, 3000, 800}, {L, 3830, 100}, {L, 4500, 100}}, {},
     {{T::LeftDown, 100, 200, 2000}, {T::LeftUp, 100, 200, 800}, {T::LeftClick, 100, 200, 700}}},
    // Polls 100 ms apart (a busy system): what is held since the previous poll is no new
    // event, a second press between two polls is.
    {"HeldKeysOverSlowPollsGiveOneRecordEach",
     {{kVkDelete, 3000, 400}, {kVkControl, 3900, 700}, {kVkRight, 4000, 300}, {kVkReturn, 5000, 10},
      {kVkReturn, 5050, 10}},
     {},
     {{T::DeleteKey, 100, 200, 2000}, {T::CtrlRight, 100, 200, 1000}, {T::EnterKey, 100, 200, 1000},
      {T::EnterKey, 100, 200, 100}},
     100},
    {"HeldCtrlClickOverSlowPollsGivesOneCondition", {{kVkControl, 2900, 600}, {L, 3000, 300}}, {},
     {{T::WaitOnly, 100, 200, 1500}, {T::Condition, 100, 200, 500}}, 100},
    // Key states answered from a cache for up to 50 ms after a read: person-speed clicks
    // (button down 60-100 ms) are still one click each, whatever the timer tick; a press
    // is seen up to 50 ms late.
    {"CachedStates60msClick1msPolls", {{L, 3003, 60}, {L, 4003, 60}}, {}, {{T::LeftClick, 100, 200, 2050},
     {T::LeftClick, 100, 200, 963}}, 1, 50},
    {"CachedStates80msClick10msPolls", {{L, 3003, 80}}, {}, {{T::LeftClick, 100, 200, 2050}}, 10, 50},
    {"CachedStates100msClick16msPolls", {{L, 3003, 100}}, {}, {{T::LeftClick, 100, 200, 2048}}, 16, 50},
    {"CachedStatesDoubleClick", {{L, 3003, 70}, {L, 3200, 70}}, {}, {{T::LeftDoubleClick, 100, 200, 2050}}, 1, 50},
};

class AutoRecordScenario : public AutoRecordTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(AutoRecordScenario, Records) {
    const Scenario& s = GetParam();
    fakes.keys.upCacheMs = s.upCacheMs;
    for (const Press& p : s.presses) fakes.keys.press(p.vk, p.at, p.heldMs);
    player.startRecording(1, codePage);
    EXPECT_EQ(pollUntil(5500, s.pollSpacing, s.moves), 0u);
    expectRecords(s.records);
    EXPECT_EQ(player.leftPending, 0);
    EXPECT_EQ(player.rightPending, 0);
}

INSTANTIATE_TEST_SUITE_P(Poll, AutoRecordScenario, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AutoRecordTest, QueriesEachPollInTheFixedOrderAndDiscardsEarlierPressesAtStart) {
    fakes.keys.press(kVkReturn, 900, 0);  // before the start: thrown away
    player.startRecording(1, codePage);
    const std::vector<std::string> start = fakes.log.texts({fake::EventKind::KeyQuery});
    const std::vector<std::string> discarded{"0x1b", "0x71", "0x1", "0x2", "0xd", "0x2e", "0x9",
                                             "0x26", "0x28", "0x25", "0x27", "0x43", "0x56", "0x41"};
    ASSERT_EQ(start.size(), discarded.size());
    for (size_t i = 0; i < start.size(); ++i) EXPECT_EQ(start[i].rfind("query " + discarded[i] + " ", 0), 0u) << i;

    fakes.log.clear();
    fakes.clock.set(3000);
    EXPECT_EQ(player.pollRecorder(), 1);
    const std::vector<std::string> order{"0x2", "0x1", "0xd", "0x2e", "0x9", "0x26", "0x28", "0x25", "0x27",
                                         "0x43", "0x56", "0x41", "0x27", "0x11", "0x11", "0x1b", "0x71"};
    const std::vector<std::string> queries = fakes.log.texts({fake::EventKind::KeyQuery});
    ASSERT_EQ(queries.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(queries[i], "query " + order[i] + " 0x0") << i;
    EXPECT_TRUE(player.actions().empty());
    EXPECT_EQ(player.recorderBusy, 0);
}

TEST_F(AutoRecordTest, CtrlClickCapturesTheColourAfterAWait) {
    for (const bool left : {true, false}) {
        SCOPED_TRACE(left ? "left" : "right");
        const uint32_t base = left ? 0 : 10000;
        fakes.clock.set(kStart + base);
        fakes.keys.press(kVkControl, base + 2900, 400);
        fakes.keys.press(left ? L : R, base + 3000, 100);
        player.startRecording(1, codePage);
        pollUntil(base + 3500, 10);
        ASSERT_EQ(player.actions().size(), 2);
        const ActionRecord& wait = player.actions().at(0);
        EXPECT_EQ(wait.actionType, ActionType::WaitOnly);
        EXPECT_EQ(wait.preWaitMs, 1500);
        EXPECT_EQ(wait.postWaitMs, 0);
        EXPECT_EQ(wait.x, 100);
        EXPECT_EQ(wait.y, 200);
        const ActionRecord& condition = player.actions().at(1);
        EXPECT_EQ(condition.actionType, ActionType::Condition);
        EXPECT_EQ(condition.preWaitMs, 500);
        EXPECT_EQ(condition.postWaitMs, 0);
        EXPECT_EQ(condition.x, 100);
        EXPECT_EQ(condition.y, 200);
        EXPECT_EQ(condition.conditionColor, static_cast<int32_t>(kColour));
        EXPECT_EQ(condition.invertCondition, left ? 0 : 1);
        EXPECT_EQ(condition.comment,
                  codePage.fromUtf16(left ? u"指定色と同じ場合、次ぎへ進む" : u"指定色以外の場合、次ぎへ進む"));
        EXPECT_EQ(condition.trueJump, 1);
        EXPECT_EQ(condition.falseJump, 0);
        EXPECT_EQ(condition.searchRangeX, 0);
        EXPECT_EQ(condition.searchRangeY, 0);
        EXPECT_EQ(player.leftPending + player.rightPending, 0);  // the release is not recorded
    }
}

TEST_F(AutoRecordTest, CtrlClickSoonAfterAnEventHasNoLeadingWait) {
    fakes.keys.press(kVkReturn, 3000, 10);
    fakes.keys.press(kVkControl, 3200, 300);
    fakes.keys.press(L, 3300, 100);
    player.startRecording(1, codePage);
    pollUntil(3600, 10);
    ASSERT_EQ(player.actions().size(), 2);
    EXPECT_EQ(player.actions().at(1).actionType, ActionType::Condition);
    EXPECT_EQ(player.actions().at(1).preWaitMs, 500);
}

TEST_F(AutoRecordTest, UnreadableScreenAddsNoConditionAndNoRelease) {
    fakes.screen.captureFails = true;
    fakes.keys.press(kVkControl, 2900, 300);
    fakes.keys.press(L, 3000, 100);
    fakes.keys.press(kVkReturn, 3500, 10);
    player.startRecording(1, codePage);
    pollUntil(3600, 10);
    expectRecords({{T::EnterKey, 100, 200, 2500}});
}

TEST_F(AutoRecordTest, StopKeysEndTheRecordingAndAreNeverRecorded) {
    for (const uint8_t stopKey : {kVkEscape, kVkF2}) {
        fakes.clock.advance(100);  // past the previous stop key
        const uint32_t pressAt = fakes.clock.now() + 2000;
        fakes.keys.press(stopKey, pressAt, 50);
        player.startRecording(1, codePage);
        EXPECT_EQ(pollUntil(pressAt + 1000, 10), pressAt);
        EXPECT_TRUE(player.actions().empty());
    }
}

TEST_F(AutoRecordTest, StopRequestEndsThePollAndIdlesThePlayer) {
    player.startRecording(1, codePage);
    EXPECT_EQ(player.runState, RunState::Running);
    player.runState = RunState::StopRequested;
    EXPECT_EQ(player.pollRecorder(), 0);
    EXPECT_EQ(player.runState, RunState::Idle);
    EXPECT_EQ(player.recorderBusy, 0);
}

TEST_F(AutoRecordTest, AppendsToTheListUnlessClearFirst) {
    player.actions().append(makeDefaultRecord());
    player.startRecording(0, codePage);
    EXPECT_EQ(player.actions().size(), 1);
    player.startRecording(1, codePage);
    EXPECT_TRUE(player.actions().empty());
}

TEST_F(AutoRecordTest, WaitsStayRightAcrossTheClockWrap) {
    fakes.clock.set(0xFFFFFF00u);
    fakes.keys.press(L, 0x00000100u, 100);
    player.startRecording(1, codePage);
    for (uint32_t t = 0xFFFFFF00u, polls = 0; polls < 100; t += 16, ++polls) {
        fakes.clock.set(t);
        player.pollRecorder();
    }
    expectRecords({{T::LeftClick, 100, 200, 0x200}});
}

TEST_F(AutoRecordTest, IsDoubleClickUsesTheSystemRectangleAndTime) {
    fakes.screen.clickSize = {4, 6};
    fakes.screen.clickTime = 400;
    struct Row {
        int32_t ax, ay, bx, by;
        uint32_t interval;
        bool expected;
    };
    const Row rows[] = {{10, 10, 14, 16, 400, true},   {10, 10, 6, 4, 0, true},        {10, 10, 15, 10, 100, false},
                        {10, 10, 10, 17, 100, false}, {10, 10, 10, 10, 401, false},   {0, 0, 0, 0, 0xFFFFFFFFu, false}};
    for (const Row& r : rows) {
        EXPECT_EQ(player.isDoubleClick(r.ax, r.ay, r.bx, r.by, r.interval), r.expected)
            << r.ax << "," << r.ay << " " << r.bx << "," << r.by << " " << r.interval;
    }
}

}  // namespace
}  // namespace tappling
