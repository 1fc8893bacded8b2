// Performing one record: pointer, button and key events, text through the clipboard,
// the file-run worker, shutdown and the colour condition.
#include <limits>
#include <system_error>

#include "engine/ColourSearch.h"
#include "engine/ManualInputWatch.h"
#include "engine/MacroPlayer.h"
#include "engine/RandomOffsets.h"

namespace tappling {
namespace {

// Coordinates wrap rather than overflow when extreme values meet a displacement.
int32_t addWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// index + a relative jump, held inside int32: a target beyond either end stays beyond it.
int32_t jumpTarget(int32_t index, int32_t relative) {
    const int64_t target = int64_t{index} + relative;
    if (target > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (target < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(target);
}

void ctrlChord(InputSink& input, uint8_t vk) {
    input.key(kVkControl, kExtendedKey);
    input.key(vk, kKeyDown);
    input.key(kVkControl, kExtendedKeyUp);
}

}  // namespace

ExecResult MacroPlayer::executeAction(int32_t& index) {
    // The driver never asks for a record outside the list; any other caller gets nothing done.
    if (index < 0 || index >= actions().size()) return ExecResult::Next;
    ActionRecord& record = actions().at(index);
    InputSink& input = platform_.input;

    int32_t px = record.x;
    int32_t py = record.y;
    if (randomMode != 0) {
        // Drawn for every record, whatever its type, so the sequence of draws follows the list.
        const Point d = randomOffsets[static_cast<size_t>(randomOffsetIndex(platform_.random.next()))];
        px = addWrapping(px, d.x);
        py = addWrapping(py, d.y);
    }
    if (record.offsetEnabled == 1) {
        // A reference outside the list counts as no offset.
        const int64_t ref = int64_t{index} + record.offsetRef;
        if (ref >= 0 && ref < actions().size()) {
            const ActionRecord& base = actions().at(static_cast<int32_t>(ref));
            px = addWrapping(px, base.foundDx);
            py = addWrapping(py, base.foundDy);
        }
    }

    const int32_t type = code(record.actionType);
    if (type <= code(ActionType::MoveOnly) || type > code(ActionType::CtrlRight)) {
        if (manualInputWatch != nullptr) manualInputWatch->ownMove(Point{px, py});
        input.setCursorPos(px, py);
        input.clipCursorFree();
        if (record.actionType == ActionType::MoveOnly) return ExecResult::Next;
    }

    switch (record.actionType) {
        case ActionType::LeftClick:
            sendButton(kLeftDown);
            sendButton(kLeftUp);
            break;
        case ActionType::LeftDoubleClick:
            for (int i = 0; i < 2; ++i) {
                sendButton(kLeftDown);
                sendButton(kLeftUp);
            }
            break;
        case ActionType::LeftUp: sendButton(kLeftUp); break;
        case ActionType::LeftDown: sendButton(kLeftDown); break;
        case ActionType::RightClick:
            sendButton(kRightDown);
            sendButton(kRightUp);
            break;
        case ActionType::RightDoubleClick:
            for (int i = 0; i < 2; ++i) {
                sendButton(kRightDown);
                sendButton(kRightUp);
            }
            break;
        case ActionType::RightUp: sendButton(kRightUp); break;
        case ActionType::RightDown: sendButton(kRightDown); break;
        case ActionType::KeyboardInput:
            // The paste goes out even when nothing could be placed: it then pastes what
            // the clipboard already holds.
            if (!record.inputText.empty()) platform_.clipboard.setText(record.inputText);
            ctrlChord(input, kVkV);
            if (record.newlineAfterInput != 0) input.key(kVkReturn, kKeyDown);
            break;
        case ActionType::CtrlC: ctrlChord(input, kVkC); break;
        case ActionType::CtrlV: ctrlChord(input, kVkV); break;
        case ActionType::CtrlA: ctrlChord(input, kVkA); break;
        case ActionType::DeleteKey: input.key(kVkDelete, kKeyDown); break;
        case ActionType::EnterKey: input.key(kVkReturn, kKeyDown); break;
        case ActionType::TabKey: input.key(kVkTab, kKeyDown); break;
        case ActionType::UpKey: input.key(kVkUp, kKeyDown); break;
        case ActionType::DownKey: input.key(kVkDown, kKeyDown); break;
        case ActionType::LeftKey: input.key(kVkLeft, kKeyDown); break;
        case ActionType::RightKey: input.key(kVkRight, kKeyDown); break;
        case ActionType::CtrlRight: ctrlChord(input, kVkRight); break;
        case ActionType::ExecuteFile: startFileRun(record); break;
        case ActionType::Shutdown: platform_.power.shutdown(); break;
        case ActionType::Skip:
            index = jumpTarget(index, record.trueJump);
            return ExecResult::JumpAfterWait;
        case ActionType::Condition: {
            // The search uses the stored point: neither the random nor the offset displacement.
            // It runs whatever invertCondition holds, so records offset by this one see its find.
            const bool found = findColour(static_cast<uint32_t>(record.conditionColor), record.x, record.y,
                                          record.searchRangeX, record.searchRangeY, record.foundDx, record.foundDy);
            if (record.invertCondition != 0 && record.invertCondition != 1) return ExecResult::Next;
            const bool holds = (record.invertCondition == 0) == found;
            if (holds) {
                index = jumpTarget(index, record.trueJump);
                return ExecResult::JumpAfterWait;
            }
            index = jumpTarget(index, record.falseJump);
            return ExecResult::JumpNow;
        }
        case ActionType::MoveOnly:
        case ActionType::WaitOnly:
        default:
            break;  // unknown codes: the pointer moved, nothing else
    }
    return ExecResult::Next;
}

void MacroPlayer::sendButton(uint32_t flag) {
    platform_.input.mouseButton(flag);
    if (flag == kLeftDown || flag == kLeftUp) leftHeld_ = flag == kLeftDown;
    if (flag == kRightDown || flag == kRightUp) rightHeld_ = flag == kRightDown;
}

void MacroPlayer::startFileRun(const ActionRecord& record) {
    fileRunWorker.reset();  // the previous worker goes first (joined or detached)
    try {
        fileRunWorker = std::make_unique<CFileRun>(platform_.shell, record.filePath, record.startMaximized);
    } catch (const std::system_error&) {
        return;  // no thread: the action does nothing
    }
    // The post-wait of this record counts from the launch.
    timeBase = platform_.clock.tickCount();
    waitCarry_ = 0;
}

bool MacroPlayer::findColour(uint32_t colour, int32_t cx, int32_t cy, int32_t rangeX, int32_t rangeY,
                             int32_t& outDx, int32_t& outDy) {
    const std::optional<ScreenRect> rect =
        colourSearchRect(cx, cy, rangeX, rangeY, platform_.screen.virtualScreen());
    if (!rect) return false;
    const std::optional<PixelCapture> capture = platform_.screen.capture(*rect);
    if (!capture || capture->rect != *rect) return false;
    const std::optional<Point> match = scanForColour(*capture, colour);
    if (!match) return false;
    outDx = static_cast<int32_t>(int64_t{match->x} - cx);
    outDy = static_cast<int32_t>(int64_t{match->y} - cy);
    return true;
}

}  // namespace tappling
