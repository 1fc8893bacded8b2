// "自動記録" (button, menu and context menu) and the recorder's poll timer.
#pragma once

#include <string_view>

#include "commands/FileCommands.h"
#include "commands/MainView.h"
#include "model/CodePage.h"

namespace tappling {

inline constexpr std::string_view kAppendQuestion = "編集中のデータの最後に追加しますか？";
inline constexpr std::string_view kRecordingHint =
    "マウスクリックなどを記録します。終了の場合は「ESC」または「F2」を押してください。";
inline constexpr std::string_view kRecordingEnded = "記録終了";

class RecordCommands {
public:
    // files answers No to the append question ("新規作成").
    RecordCommands(CommandContext context, FileCommands& files, const CodePage& codePage)
        : context_(context), files_(files), codePage_(codePage) {}

    // Asks whether to append to a non-empty list, explains how to stop, minimizes the
    // window and starts polling.
    void record();

    // The recorder timer: one poll; at its end the list is shown again and the window restored.
    void onRecorderTimer();

    // Before any question of the window's close: a recording still polling would record
    // the user's answer. Ends it as ESC does, without its message; nothing when none runs.
    void stopBeforeClose();

private:
    void endRecording();

    CommandContext context_;
    FileCommands& files_;
    const CodePage& codePage_;
    bool recording_ = false;
};

}  // namespace tappling
