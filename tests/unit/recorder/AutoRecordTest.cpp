// The recorder's poll against scripted key states, pointer positions and clock.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <tuple>
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
    uint32_t at, heldMs;
};
struct Move {
    uint32_t at;
    int32_t x, y;
};
// A record: its type and pre-wait, and the point where the pointer was.
struct Expected {
    ActionType type;
    int32_t preWaitMs, x = 100, y = 200;
    bool operator==(const Expected&) const = default;
};
void PrintTo(const Expected& e, std::ostream* os) {
    *os << static_cast<int>(e.type) << " after " << e.preWaitMs << " at " << e.x << "," << e.y;
}

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
    // Polls every `spacing` ms from now until `end`, moving the pointer on the way;
    // returns the tick of the poll that said stop (0 when none did).
    uint32_t pollUntil(uint32_t end, uint32_t spacing = 10, const std::vector<Move>& moves = {}) {
        for (uint32_t t = fakes.clock.now(); t <= end; t += spacing) {
            fakes.clock.set(t);
            for (const Move& m : moves) {
                if (m.at <= t) fakes.input.position = {m.x, m.y};
            }
            if (player.pollRecorder() == 0) return t;
        }
        return 0;
    }
    // The records as they were made; every post-wait is 0.
    std::vector<Expected> records() const {
        std::vector<Expected> out;
        for (const ActionRecord& r : player.actions().records()) {
            EXPECT_EQ(r.postWaitMs, 0);
            out.push_back({r.actionType, r.preWaitMs, r.x, r.y});
        }
        return out;
    }

    fake::FakePlatform fakes;
    Cp932CodePage codePage;
    MacroPlayer player{fakes.platform};
};

using T = ActionType;
constexpr uint8_t L = kVkLButton, R = kVkRButton;

const Scenario kScenarios[] = {
    {"QuickClickIsOneClickWithThePreWaitSinceTheLastEvent", {{L, 3000, 100}}, {}, {{T::LeftClick, 2000}}},
    {"TwoQuickClicksMakeADoubleClickAndTheNextWaitCountsFromTheSecondPress",
     {{L, 3000, 100}, {L, 3300, 100}, {kVkReturn, 4000, 20}}, {{3250, 102, 203}},
     {{T::LeftDoubleClick, 2000}, {T::EnterKey, 700, 102, 203}}},
    {"HeldPressGivesDownAndUp", {{L, 3000, 800}}, {}, {{T::LeftDown, 2000}, {T::LeftUp, 800}}},
    {"PressMovedFivePixelsGivesDownAndUp", {{L, 3000, 100}}, {{3050, 105, 200}},
     {{T::LeftDown, 2000}, {T::LeftUp, 100, 105, 200}}},
    {"RightButtonClickAndHeldPress", {{R, 3000, 100}, {R, 4000, 700}}, {},
     {{T::RightClick, 2000}, {T::RightDown, 1000}, {T::RightUp, 700}}},
    {"EventWithinFiftyMsOfTheLastHandledPollIsDropped", {{kVkReturn, 3000, 20}, {kVkTab, 3060, 5}}, {},
     {{T::EnterKey, 2000}}},
    {"EventJustOverFiftyMsIsRecorded", {{kVkReturn, 3000, 20}, {kVkTab, 3070, 5}}, {},
     {{T::EnterKey, 2000}, {T::TabKey, 70}}},
    {"RightArrowAlone", {{kVkRight, 3000, 30}}, {}, {{T::RightKey, 2000}}},
    {"CtrlWithRightArrow", {{kVkControl, 2900, 300}, {kVkRight, 3000, 30}}, {}, {{T::CtrlRight, 2000}}},
    // A tap between two polls is seen only through its earlier press, so with Ctrl down
    // it still counts as the plain arrow.
    {"RightArrowTappedBetweenPollsWithCtrl", {{kVkControl, 2900, 300}, {kVkRight, 3001, 2}}, {}, {{T::RightKey, 2010}}},
    {"ArrowsAndCtrlLetters",
     {{kVkUp, 3000, 10}, {kVkDown, 3100, 10}, {kVkLeft, 3200, 10}, {kVkControl, 3290, 500}, {kVkC, 3300, 10},
      {kVkV, 3400, 10}, {kVkA, 3500, 10}},
     {},
     {{T::UpKey, 2000}, {T::DownKey, 100}, {T::LeftKey, 100}, {T::CtrlC, 100}, {T::CtrlV, 100}, {T::CtrlA, 100}}},
    {"LettersWithoutCtrlAreNotRecorded", {{kVkC, 3000, 10}, {kVkV, 3100, 10}, {kVkA, 3200, 10}}, {}, {}},
    // Holding the right button while clicking the left: the right release is its own.
    {"LeftClickWhileRightHeld", {{R, 3000, 1000}, {L, 3300, 100}}, {},
     {{T::RightDown, 2000}, {T::LeftClick, 300}, {T::RightUp, 700}}},
    {"RightClickWhileLeftHeld", {{L, 3000, 1000}, {R, 3300, 100}}, {},
     {{T::LeftDown, 2000}, {T::RightClick, 300}, {T::LeftUp, 700}}},
    {"CtrlRightClickWhileLeftHeld", {{L, 3000, 1000}, {kVkControl, 3250, 200}, {R, 3300, 100}}, {},
     {{T::LeftDown, 2000}, {T::Condition, 500}, {T::LeftUp, 700}}},
    // Polls 1 ms apart: a release 20 ms after the press is put off once, then handled.
    {"ReleaseWithinFiftyMsIsHandledAtTheNextPoll", {{L, 3000, 20}, {L, 3700, 100}}, {},
     {{T::LeftClick, 2000}, {T::LeftClick, 700}}, 1},
    // The press after an up falls in the quiet window: its release would follow another
    // up and is dropped, and the button is free for the next click.
    {"ReleaseAfterAnUpIsDroppedNotLeftPending", {{L, 3000, 800}, {L, 3830, 100}, {L, 4500, 100}}, {},
     {{T::LeftDown, 2000}, {T::LeftUp, 800}, {T::LeftClick, 700}}},
    // Polls 100 ms apart (a busy system): what is held since the previous poll is no new
    // event, a second press between two polls is.
    {"HeldKeysOverSlowPollsGiveOneRecordEach",
     {{kVkDelete, 3000, 400}, {kVkControl, 3900, 700}, {kVkRight, 4000, 300}, {kVkReturn, 5000, 10},
      {kVkReturn, 5050, 10}},
     {},
     {{T::DeleteKey, 2000}, {T::CtrlRight, 1000}, {T::EnterKey, 1000}, {T::EnterKey, 100}},
     100},
    // A press never recorded is recorded once, at the first poll that may record it:
    // a Tab held from within 50 ms of an Enter, and C held before Ctrl.
    {"KeyHeldFromWithinFiftyMsIsRecordedOnce", {{kVkReturn, 3000, 10}, {kVkTab, 3030, 300}}, {},
     {{T::EnterKey, 2000}, {T::TabKey, 60}}},
    {"KeyHeldFromWithinFiftyMsOverSlowPolls", {{kVkReturn, 3000, 10}, {kVkTab, 3030, 300}}, {},
     {{T::EnterKey, 2000}, {T::TabKey, 100}}, 100},
    {"LetterHeldBeforeCtrlGivesOneCtrlLetter", {{kVkC, 3000, 400}, {kVkControl, 3100, 500}}, {},
     {{T::CtrlC, 2100}}},
    {"LetterHeldBeforeCtrlOverSlowPolls", {{kVkV, 3000, 400}, {kVkControl, 3100, 500}}, {}, {{T::CtrlV, 2100}}, 100},
    // Ctrl+click: the time since the last event less 500 ms as a wait (none when shorter), then the condition.
    {"CtrlClickSoonAfterAnEventHasNoLeadingWait", {{kVkReturn, 3000, 10}, {kVkControl, 3200, 300}, {L, 3300, 100}},
     {}, {{T::EnterKey, 2000}, {T::Condition, 500}}},
    {"HeldCtrlClickOverSlowPollsGivesOneCondition", {{kVkControl, 2900, 600}, {L, 3000, 300}}, {},
     {{T::WaitOnly, 1500}, {T::Condition, 500}}, 100},
    // Key states answered from a cache for up to 50 ms after a read: person-speed clicks
    // (button down 60-100 ms) are still one click each, whatever the timer tick; a press
    // is seen up to 50 ms late.
    {"CachedStates60msClick1msPolls", {{L, 3003, 60}, {L, 4003, 60}}, {}, {{T::LeftClick, 2050}, {T::LeftClick, 963}},
     1, 50},
    {"CachedStates100msClick16msPolls", {{L, 3003, 100}}, {}, {{T::LeftClick, 2048}}, 16, 50},
    {"CachedStatesDoubleClick", {{L, 3003, 70}, {L, 3200, 70}}, {}, {{T::LeftDoubleClick, 2050}}, 1, 50},
};

class AutoRecordScenario : public AutoRecordTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(AutoRecordScenario, Records) {
    const Scenario& s = GetParam();
    fakes.keys.upCacheMs = s.upCacheMs;
    for (const Press& p : s.presses) fakes.keys.press(p.vk, p.at, p.heldMs);
    player.startRecording(1, codePage);
    EXPECT_EQ(pollUntil(5500, s.pollSpacing, s.moves), 0u);
    EXPECT_EQ(records(), s.records);
    EXPECT_EQ(player.leftPending + player.rightPending, 0);
}
INSTANTIATE_TEST_SUITE_P(Poll, AutoRecordScenario, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AutoRecordTest, QueriesEachPollInTheFixedOrderAndDiscardsEarlierPressesAtStart) {
    fakes.keys.press(kVkReturn, 900, 0);  // before the start: thrown away
    player.startRecording(1, codePage);
    auto queried = [&](bool allUp) {  // the keys queried in order; "query <key> <state>" each
        std::string keys;
        for (const std::string& q : fakes.log.texts({fake::EventKind::KeyQuery})) {
            const size_t stateAt = q.find(' ', 6);
            keys += q.substr(6, stateAt - 6) + " ";
            EXPECT_TRUE(!allUp || q.substr(stateAt) == " 0x0") << q;
        }
        fakes.log.clear();
        return keys;
    };
    EXPECT_EQ(queried(false), "0x1b 0x71 0x1 0x2 0xd 0x2e 0x9 0x26 0x28 0x25 0x27 0x43 0x56 0x41 ");
    fakes.clock.set(3000);
    EXPECT_EQ(player.pollRecorder(), 1);
    EXPECT_EQ(queried(true), "0x2 0x1 0xd 0x2e 0x9 0x26 0x28 0x25 0x27 0x43 0x56 0x41 0x27 0x11 0x11 0x1b 0x71 ");
    EXPECT_TRUE(player.actions().empty());
    EXPECT_EQ(player.recorderBusy, 0);
}

TEST_F(AutoRecordTest, CtrlClickAfterTwoSecondsGivesAWaitAndTheColourCondition) {
    for (const bool left : {true, false}) {
        SCOPED_TRACE(left ? "left" : "right");
        const uint32_t base = left ? 0 : 10000;
        fakes.clock.set(kStart + base);
        fakes.keys.press(kVkControl, base + 2900, 400);
        fakes.keys.press(left ? L : R, base + 3000, 100);
        player.startRecording(1, codePage);
        pollUntil(base + 3500);
        EXPECT_EQ(records(), (std::vector<Expected>{{T::WaitOnly, 1500}, {T::Condition, 500}}));
        const ActionRecord& c = player.actions().at(1);
        EXPECT_EQ(std::tie(c.conditionColor, c.invertCondition, c.trueJump, c.falseJump, c.searchRangeX,
                           c.searchRangeY),
                  std::make_tuple(static_cast<int32_t>(kColour), left ? 0 : 1, 1, 0, 0, 0));
        EXPECT_EQ(c.comment, codePage.fromUtf16(left ? u"指定色と同じ場合、次ぎへ進む" : u"指定色以外の場合、次ぎへ進む"));
        EXPECT_EQ(player.leftPending + player.rightPending, 0);  // the release is not recorded
    }
}

TEST_F(AutoRecordTest, CtrlRightPressWhileLeftHeldCapturesForTheRightButton) {
    fakes.keys.press(L, 3000, 1000);
    fakes.keys.press(kVkControl, 3250, 200);
    fakes.keys.press(R, 3300, 100);
    player.startRecording(1, codePage);
    pollUntil(3500);
    ASSERT_EQ(player.actions().size(), 2);
    EXPECT_EQ(player.actions().at(1).invertCondition, 1);
}

TEST_F(AutoRecordTest, UnreadableScreenAddsNoConditionAndNoRelease) {
    fakes.screen.captureFails = true;
    fakes.keys.press(kVkControl, 2900, 300);
    fakes.keys.press(L, 3000, 100);
    fakes.keys.press(kVkReturn, 3500, 10);
    player.startRecording(1, codePage);
    pollUntil(3600);
    EXPECT_EQ(records(), (std::vector<Expected>{{T::EnterKey, 2500}}));
}

TEST_F(AutoRecordTest, StopKeysAndStopRequestsEndTheRecordingAndAreNeverRecorded) {
    for (const uint8_t stopKey : {kVkEscape, kVkF2}) {
        fakes.clock.advance(100);  // past the previous stop key
        const uint32_t pressAt = fakes.clock.now() + 2000;
        fakes.keys.press(stopKey, pressAt, 50);
        player.startRecording(1, codePage);
        EXPECT_EQ(pollUntil(pressAt + 1000), pressAt);
        EXPECT_TRUE(player.actions().empty());
    }
    player.startRecording(1, codePage);
    EXPECT_EQ(player.runState, RunState::Running);
    player.runState = RunState::StopRequested;
    EXPECT_EQ(player.pollRecorder(), 0);
    EXPECT_EQ(player.runState, RunState::Idle);
    EXPECT_EQ(player.recorderBusy, 0);
}

// While the pointer cannot be read nothing is recorded at a made-up point: each event
// waits for the first poll that has the pointer.
TEST_F(AutoRecordTest, EventsWaitForAPollThatHasThePointer) {
    fakes.keys.press(kVkReturn, 3000, 300);
    fakes.keys.press(L, 3500, 300);
    fakes.keys.press(kVkControl, 4000, 400);
    fakes.keys.press(R, 4100, 200);
    fakes.screen.setPixel(420, 200, kColour);
    player.startRecording(1, codePage);
    const std::set<uint32_t> pointerGone = {3000, 3100, 3500, 3800, 4100};
    for (uint32_t t = kStart; t <= 5000; t += 100) {
        fakes.clock.set(t);
        fakes.input.cursorFails = pointerGone.count(t) > 0;
        fakes.input.position.x = static_cast<int32_t>(t / 10);  // the point tells which poll took it
        player.pollRecorder();
    }
    EXPECT_EQ(records(), (std::vector<Expected>{{T::EnterKey, 2200, 320, 200},
                                               {T::LeftDown, 400, 360, 200},
                                               {T::LeftUp, 300, 390, 200},
                                               {T::Condition, 500, 420, 200}}));
}

TEST_F(AutoRecordTest, WaitsStayRightAcrossTheClockWrap) {
    fakes.clock.set(0xFFFFFF00u);
    fakes.keys.press(L, 0x00000100u, 100);
    player.startRecording(1, codePage);
    for (uint32_t t = 0xFFFFFF00u, polls = 0; polls < 100; t += 16, ++polls) fakes.clock.set(t), player.pollRecorder();
    EXPECT_EQ(records(), (std::vector<Expected>{{T::LeftClick, 0x200}}));
}

TEST_F(AutoRecordTest, IsDoubleClickUsesTheSystemRectangleAndTime) {
    fakes.screen.clickSize = {4, 6};
    fakes.screen.clickTime = 400;
    // From (10, 10) to (x, y) after the interval; the rectangle reaches 4 by 6 pixels either way.
    const std::tuple<int32_t, int32_t, uint32_t, bool> rows[] = {{14, 16, 400, true},   {6, 4, 0, true},
                                                                 {15, 10, 100, false},  {10, 17, 100, false},
                                                                 {10, 10, 401, false}, {10, 10, 0xFFFFFFFFu, false}};
    for (const auto& [x, y, interval, expected] : rows)
        EXPECT_EQ(player.isDoubleClick(10, 10, x, y, interval), expected) << x << "," << y << " " << interval;
}

}  // namespace
}  // namespace tappling
