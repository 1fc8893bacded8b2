#include "model/ActionList.h"

#include <climits>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tappling {

namespace {

// Relative fields are arbitrary int32 values from files: compute targets in 64 bits and
// step the stored distance with wrap-around instead of signed overflow.
int64_t targetOf(int32_t position, int32_t relative) {
    return static_cast<int64_t>(position) + relative;
}

void shift(int32_t& relative, int32_t by) {
    relative = static_cast<int32_t>(static_cast<uint32_t>(relative) + static_cast<uint32_t>(by));
}

// Records before the edge: targets at or after it move by delta with the records there.
// Records from the edge on move themselves by delta: targets before the edge get -delta.
void renumber(std::vector<ActionRecord>& records, int32_t edge, int32_t delta) {
    const int32_t count = static_cast<int32_t>(records.size());
    for (int32_t i = 0; i < count; ++i) {
        ActionRecord& r = records[static_cast<size_t>(i)];
        const bool before = i < edge;
        auto adjust = [&](int32_t& relative) {
            const int64_t target = targetOf(i, relative);
            if (before ? target >= edge : target < edge) shift(relative, before ? delta : -delta);
        };
        if (r.actionType == ActionType::Condition) {
            adjust(r.trueJump);
            adjust(r.falseJump);
        }
        adjust(r.offsetRef);
    }
}

}  // namespace

void ActionList::checkPosition(int32_t position, int32_t limit) const {
    if (position < 0 || position > limit)
        throw std::invalid_argument("action position " + std::to_string(position) + " outside the list");
}

ActionRecord ActionList::recordAt(int32_t position) const { return at(position); }

const ActionRecord& ActionList::at(int32_t position) const {
    checkPosition(position, size() - 1);
    return records_[static_cast<size_t>(position)];
}

ActionRecord& ActionList::at(int32_t position) {
    checkPosition(position, size() - 1);
    return records_[static_cast<size_t>(position)];
}

void ActionList::replaceAt(int32_t position, ActionRecord record) { at(position) = std::move(record); }

void ActionList::append(ActionRecord record) { records_.push_back(std::move(record)); }

void ActionList::insertAt(int32_t position, ActionRecord record) {
    checkPosition(position, size());
    renumber(records_, position, +1);
    records_.insert(records_.begin() + position, std::move(record));
}

void ActionList::insertBlockAt(int32_t position, std::vector<ActionRecord> block) {
    checkPosition(position, size());
    renumber(records_, position, static_cast<int32_t>(block.size()));
    records_.insert(records_.begin() + position, std::make_move_iterator(block.begin()),
                    std::make_move_iterator(block.end()));
}

void ActionList::removeAt(int32_t position) {
    checkPosition(position, size() - 1);
    renumber(records_, position, -1);
    records_.erase(records_.begin() + position);
}

void ActionList::adjustAllWaits(WaitKind which, int32_t deltaMs) {
    for (ActionRecord& r : records_) {
        int32_t& wait = which == WaitKind::Pre ? r.preWaitMs : r.postWaitMs;
        const int64_t adjusted = static_cast<int64_t>(wait) + deltaMs;
        wait = adjusted < 0 ? 0 : adjusted > INT32_MAX ? INT32_MAX : static_cast<int32_t>(adjusted);
    }
}

}  // namespace tappling
