#include "engine/MacroChange.h"

#include <array>

#include "engine/MacroPlayer.h"

namespace tappling {
namespace {

struct ChangeRule {
    MacroChange change;
    ChangeEffect effect;
};

using enum FlagEffect;

// A change to the rows or to what a run repeats ends a stopped run's chance to resume;
// a retouch of waits or texts and a save do not. Reading a file keeps both flags.
constexpr std::array<ChangeRule, 10> kRules{{
    {MacroChange::Edited, {Set, Clear}},
    {MacroChange::Recorded, {Set, Clear}},
    {MacroChange::LoopBoxClicked, {Set, Clear}},
    {MacroChange::LoopCountTyped, {Set, Keep}},
    {MacroChange::WaitsShifted, {Set, Keep}},
    {MacroChange::TextsReplaced, {Set, Keep}},
    {MacroChange::MarkerEdited, {Set, Keep}},
    {MacroChange::FileRead, {Keep, Keep}},
    {MacroChange::Saved, {Clear, Keep}},
    {MacroChange::Replaced, {Clear, Clear}},
}};

void apply(FlagEffect effect, int32_t& flag) {
    if (effect == Set) flag = 1;
    if (effect == Clear) flag = 0;
}

}  // namespace

ChangeEffect changeEffect(MacroChange change) {
    for (const ChangeRule& rule : kRules)
        if (rule.change == change) return rule.effect;
    return {Keep, Keep};
}

void MacroPlayer::noteChange(MacroChange change) {
    const ChangeEffect effect = changeEffect(change);
    apply(effect.modified, modified_);
    apply(effect.resumable, resumable_);
}

}  // namespace tappling
