// The kinds of change a command makes to the macro. MacroPlayer::noteChange turns each
// into the `modified` and `resumable` flags through one table (MacroChange.cpp); no
// other code writes `modified`, and only the playback driver writes `resumable` besides.
#pragma once

#include <cstdint>

namespace tappling {

enum class MacroChange {
    Edited,          // rows added, inserted, replaced, deleted or pasted
    Recorded,        // a recording started on the list
    LoopBoxClicked,  // "ループ" or "MAX"
    LoopCountTyped,  // the loop count now differs from the macro's
    WaitsShifted,    // at least one wait changed
    TextsReplaced,   // the bulk text edit changed at least one action
    MarkerEdited,    // the editor opened from the marker returned an action
    FileRead,        // "開く" or "インポート" read a file
    Saved,           // the macro was written to its file
    Replaced,        // an edited list gave way to a new or dropped one, or the window opened
};

enum class FlagEffect : int8_t { Keep, Clear, Set };

struct ChangeEffect {
    FlagEffect modified;
    FlagEffect resumable;
};

ChangeEffect changeEffect(MacroChange change);

}  // namespace tappling
