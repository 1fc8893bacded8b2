// Auto record: every poll reads the buttons and the recorded keys in one fixed order and
// turns at most one event into records appended at the end of the list. No input hook:
// GetAsyncKeyState's "pressed since the previous query" bit catches what happened
// between two polls, and the first query of a key in a poll consumes that bit.
#include <array>
#include <cstdlib>

#include "engine/MacroPlayer.h"

namespace tappling {
namespace {

// An event this close to the previous handled poll is taken for the same event.
constexpr uint32_t kQuietMs = 50;
// A release within this time and distance of its press makes the two one click.
constexpr int32_t kClickMs = 500;
constexpr int64_t kClickSlop = 4;
// A captured condition waits this long before its first look; the rest of the time
// since the previous event goes into a WaitOnly in front of it.
constexpr int32_t kConditionWaitMs = 500;
constexpr uint32_t kInvalidColour = 0xFFFFFFFF;

struct ButtonTypes {
    ActionType down, up, click, doubleClick;
};
constexpr ButtonTypes kLeftButton{ActionType::LeftDown, ActionType::LeftUp, ActionType::LeftClick,
                                  ActionType::LeftDoubleClick};
constexpr ButtonTypes kRightButton{ActionType::RightDown, ActionType::RightUp, ActionType::RightClick,
                                   ActionType::RightDoubleClick};

// The keys whose earlier presses a new recording throws away.
constexpr uint8_t kDiscardedAtStart[] = {kVkEscape, kVkF2, kVkLButton, kVkRButton, kVkReturn, kVkDelete, kVkTab,
                                         kVkUp,     kVkDown, kVkLeft,  kVkRight,   kVkC,      kVkV,      kVkA};

int64_t distance(int32_t a, int32_t b) { return std::llabs(static_cast<int64_t>(a) - b); }

}  // namespace

void MacroPlayer::startRecording(int32_t clearFirst, const CodePage& codePage) {
    runState = RunState::Running;
    if (clearFirst == 1) actions().clear();
    for (uint8_t vk : kDiscardedAtStart) platform_.keys.asyncKeyState(vk);
    leftPending = 0;
    rightPending = 0;
    recorderBusy = 0;
    leftUpSeen_ = 0;
    rightUpSeen_ = 0;
    handledPress_.fill(false);
    lastEventTime = platform_.clock.tickCount();
    nowTime = lastEventTime;
    lastActivityTime = lastEventTime;
    sameColourComment_ = codePage.fromUtf16(u"指定色と同じ場合、次ぎへ進む");
    otherColourComment_ = codePage.fromUtf16(u"指定色以外の場合、次ぎへ進む");
}

int32_t MacroPlayer::pollRecorder() {
    recorderBusy = 1;
    if (runState == RunState::StopRequested) {  // the window was resized by hand
        runState = RunState::Idle;
        recorderBusy = 0;
        return 0;
    }

    // The order matters: the first query of a key consumes its earlier presses, so the
    // second queries of VK_RIGHT and VK_CONTROL tell only whether the key is down now.
    KeyState& keys = platform_.keys;
    std::array<uint16_t, 256> states{};  // the first query of each key in this poll
    const auto query = [&keys, &states](uint8_t vk) { return states[vk] = keys.asyncKeyState(vk); };
    const auto pressed = [&keys](uint8_t vk) { return keys.asyncKeyState(vk) != 0; };
    const uint16_t right = query(kVkRButton);
    const uint16_t left = query(kVkLButton);
    const uint16_t enter = query(kVkReturn);
    const uint16_t del = query(kVkDelete);
    const uint16_t tab = query(kVkTab);
    const uint16_t upKey = query(kVkUp);
    const uint16_t downKey = query(kVkDown);
    const uint16_t leftKey = query(kVkLeft);
    const uint16_t rightKey = query(kVkRight);
    const uint16_t keyC = query(kVkC);
    const uint16_t keyV = query(kVkV);
    const uint16_t keyA = query(kVkA);
    const bool rightKeyDown = pressed(kVkRight);
    pressed(kVkControl);
    const bool ctrl = pressed(kVkControl);

    // Down since a handled press, not pressed again: not a new event, even when the polls
    // come more than 50 ms apart on a busy system.
    const auto held = [&](uint8_t vk) {
        return handledPress_[vk] && (states[vk] & 0x8000) != 0 && (states[vk] & 0x0001) == 0;
    };
    if (enter || del || tab) {
        const uint8_t vk = enter ? kVkReturn : del ? kVkDelete : kVkTab;
        recordKey(enter ? ActionType::EnterKey : del ? ActionType::DeleteKey : ActionType::TabKey, vk, held(vk));
    } else if (upKey || downKey || leftKey || rightKey || (ctrl && (rightKeyDown || keyC || keyV || keyA))) {
        const auto key = [&](ActionType type, uint8_t vk) { recordKey(type, vk, held(vk)); };
        if (ctrl && rightKeyDown) key(ActionType::CtrlRight, kVkRight);
        else if (upKey) key(ActionType::UpKey, kVkUp);
        else if (downKey) key(ActionType::DownKey, kVkDown);
        else if (leftKey) key(ActionType::LeftKey, kVkLeft);
        else if (rightKey) key(ActionType::RightKey, kVkRight);
        else if (keyC) key(ActionType::CtrlC, kVkC);
        else if (keyV) key(ActionType::CtrlV, kVkV);
        else key(ActionType::CtrlA, kVkA);
    } else if ((right && rightPending == 0) || (left && leftPending == 0)) {
        // The left button only when its press is the new one: a left button held from an
        // earlier press must not turn a right press into a second LeftDown (or hide it).
        const bool newLeft = left && leftPending == 0;
        if (ctrl) {
            const uint8_t vk = newLeft ? kVkLButton : kVkRButton;
            if (held(vk)) {
                stillHeld();
            } else {
                // One capture per press, whether or not it made a record.
                handledPress_[vk] = captureColour(newLeft);
            }
        } else {
            // Without the pointer the press is tried again at the next poll. The flag is set
            // even when the press falls in the quiet window and makes no record.
            if (const auto down = recordedAtPointer(newLeft ? ActionType::LeftDown : ActionType::RightDown)) {
                if (newLeft) {
                    leftPending = 1;
                    leftUpSeen_ = 0;
                } else {
                    rightPending = 1;
                    rightUpSeen_ = 0;
                }
                appendRecorded(*down);
            }
        }
    } else if ((!right && rightPending == 1) || (!left && leftPending == 1)) {
        // The button whose release is seen (with both pending and only the right one up,
        // handling the left would record a release of a button still held).
        handleRelease(!left && leftPending == 1);
    }

    for (size_t vk = 0; vk < states.size(); ++vk) {
        if ((states[vk] & 0x8000) == 0) handledPress_[vk] = false;  // released: the next press is new
    }
    const bool stop = pressed(kVkEscape) || pressed(kVkF2);
    recorderBusy = 0;
    return stop ? 0 : 1;
}

bool MacroPlayer::isDoubleClick(int32_t ax, int32_t ay, int32_t bx, int32_t by, uint32_t interval) {
    const Point size = platform_.screen.doubleClickSize();
    return distance(ax, bx) <= size.x && distance(ay, by) <= size.y &&
           interval <= platform_.screen.doubleClickTime();
}

// The press handled at the previous poll is still held: nothing new, even when the polls
// come more than 50 ms apart (a busy system), but the poll counts as handled.
void MacroPlayer::stillHeld() {
    nowTime = platform_.clock.tickCount();
    lastActivityTime = nowTime;
}

// A press too close to the previous event is not recorded and, unlike other events,
// does not renew the quiet window: held on, it is recorded once at the first poll
// that may record it, instead of being lost.
void MacroPlayer::recordKey(ActionType type, uint8_t vk, bool held) {
    if (held) {
        stillHeld();
        return;
    }
    const std::optional<ActionRecord> record = recordedAtPointer(type);
    if (record && nowTime - lastActivityTime > kQuietMs && lastEventTime != nowTime) {
        handledPress_[vk] = appendRecorded(*record);
    } else {
        handledPress_[vk] = false;  // without the pointer too: tried again at the next poll
    }
}

std::optional<ActionRecord> MacroPlayer::recordedAtPointer(ActionType type) {
    nowTime = platform_.clock.tickCount();
    const std::optional<Point> p = platform_.input.cursorPos();
    if (!p) return std::nullopt;
    ActionRecord record = makeDefaultRecord();
    record.x = p->x;
    record.y = p->y;
    record.actionType = type;
    record.preWaitMs = static_cast<int32_t>(nowTime - lastEventTime);
    record.postWaitMs = 0;
    return record;
}

// Appended only when the event is not the tail of the previous handled one; a key held
// over many polls keeps renewing lastActivityTime and so gives one record.
bool MacroPlayer::appendRecorded(const ActionRecord& record) {
    const bool appended = nowTime - lastActivityTime > kQuietMs && lastEventTime != nowTime;
    if (appended) {
        actions().append(record);
        lastEventTime = nowTime;
    }
    lastActivityTime = nowTime;
    return appended;
}

bool MacroPlayer::captureColour(bool left) {
    const int32_t mode = left ? 0 : 1;
    nowTime = platform_.clock.tickCount();
    const uint32_t elapsed = nowTime - lastEventTime;
    const std::optional<Point> p = platform_.input.cursorPos();
    if (!p) return false;  // tried again at the next poll while the button is held
    const std::optional<uint32_t> colour = platform_.screen.pixelAt(p->x, p->y);
    if (!colour || *colour == kInvalidColour) {
        // A condition on a colour never seen would hold the run at it for good.
        lastActivityTime = nowTime;
        return true;
    }

    ActionRecord record = makeDefaultRecord();
    record.x = p->x;
    record.y = p->y;
    record.postWaitMs = 0;
    const int32_t leadingWait = static_cast<int32_t>(elapsed - kConditionWaitMs);
    if (leadingWait > 0 && nowTime - lastActivityTime > kQuietMs && lastEventTime != nowTime) {
        record.actionType = ActionType::WaitOnly;
        record.preWaitMs = leadingWait;
        actions().append(record);
    }
    record.actionType = ActionType::Condition;
    record.preWaitMs = kConditionWaitMs;
    record.comment = mode == 0 ? sameColourComment_ : otherColourComment_;
    record.conditionColor = static_cast<int32_t>(*colour);
    record.invertCondition = mode;
    record.trueJump = 1;
    record.falseJump = 0;
    record.searchRangeX = 0;
    record.searchRangeY = 0;
    appendRecorded(record);
    // No pending flag: the release of this button is not recorded.
    return true;
}

void MacroPlayer::handleRelease(bool left) {
    const ButtonTypes& types = left ? kLeftButton : kRightButton;
    int32_t& upSeen = left ? leftUpSeen_ : rightUpSeen_;
    const std::optional<ActionRecord> recordedUp = recordedAtPointer(types.up);
    if (!recordedUp) return;  // still pending: handled at a poll that has the pointer
    const ActionRecord& up = *recordedUp;

    const int32_t n = actions().size();
    const bool afterUp = n > 0 && actions().at(n - 1).actionType == types.up;
    const bool quiet = nowTime - lastActivityTime > kQuietMs && lastEventTime != nowTime;
    if (quiet && !afterUp) {
        finishRelease(left, up);
    } else if (upSeen == 1) {
        // Put off once already: with polls less than 50 ms apart every retry would renew
        // lastActivityTime, so handle it now (a second up in a row is dropped).
        if (!afterUp) finishRelease(left, up);
        (left ? leftPending : rightPending) = 0;
        upSeen = 0;
    } else {
        upSeen = 1;
    }
    lastActivityTime = nowTime;
}

void MacroPlayer::finishRelease(bool left, const ActionRecord& up) {
    const ButtonTypes& types = left ? kLeftButton : kRightButton;
    const int32_t n = actions().size();
    bool merged = false;
    if (n > 0) {
        ActionRecord& press = actions().at(n - 1);
        if (press.actionType == types.down && distance(press.x, up.x) <= kClickSlop &&
            distance(press.y, up.y) <= kClickSlop && up.preWaitMs <= kClickMs) {
            // One click; lastEventTime stays at the press.
            press.actionType = types.click;
            merged = true;
            if (n > 1) {
                ActionRecord& first = actions().at(n - 2);
                if (first.actionType == types.click &&
                    isDoubleClick(first.x, first.y, press.x, press.y, static_cast<uint32_t>(press.preWaitMs))) {
                    first.actionType = types.doubleClick;
                    actions().removeAt(n - 1);
                }
            }
        }
    }
    if (!merged) {
        actions().append(up);
        lastEventTime = nowTime;
    }
    (left ? leftPending : rightPending) = 0;
    (left ? leftUpSeen_ : rightUpSeen_) = 0;
}

}  // namespace tappling
