// The ordered list of actions. Insertion and removal renumber the relative fields
// (trueJump/falseJump of Conditions, offsetRef of every record) so that they keep
// pointing at the same records; nothing else renumbers.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ActionRecord.h"

namespace tappling {

enum class WaitKind : int32_t { Pre = 1, Post = 2 };

class ActionList {
public:
    int32_t size() const { return static_cast<int32_t>(records_.size()); }
    bool empty() const { return records_.empty(); }

    // Positions outside the list throw std::invalid_argument and leave the list unchanged.
    ActionRecord recordAt(int32_t position) const;
    const ActionRecord& at(int32_t position) const;
    ActionRecord& at(int32_t position);  // playback writes foundDx/foundDy through this
    void replaceAt(int32_t position, ActionRecord record);
    void append(ActionRecord record);
    void insertAt(int32_t position, ActionRecord record);  // position == size() appends
    // Inserts the block as one: the records around it are renumbered once for all of it,
    // and the block's own relative fields stay exactly as given.
    void insertBlockAt(int32_t position, std::vector<ActionRecord> block);
    void removeAt(int32_t position);
    void clear() { records_.clear(); }
    void reserve(int32_t count) { records_.reserve(static_cast<size_t>(count > 0 ? count : 0)); }
    void adjustAllWaits(WaitKind which, int32_t deltaMs);

    const std::vector<ActionRecord>& records() const { return records_; }

private:
    void checkPosition(int32_t position, int32_t limit) const;
    std::vector<ActionRecord> records_;
};

// The macro: its actions and the three macro-level loop values, saved together.
struct Macro {
    ActionList actions;
    int32_t loopEnabled = 0;
    int32_t loopLimited = 0;
    int32_t loopCount = 1;
};

}  // namespace tappling
