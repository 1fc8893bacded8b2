// The auto record command of the main window and its poll timer, as portable logic: the
// window implements RecordingHost and forwards the command and timer 2 here.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/MacroPlayer.h"
#include "model/CodePage.h"
#include "model/Prompter.h"

namespace tappling {

// What a recording needs from the main window.
class RecordingHost {
public:
    virtual ~RecordingHost() = default;
    virtual Answer ask(std::string_view utf8) = 0;    // Yes/No/Cancel question
    virtual void inform(std::string_view utf8) = 0;   // message box, OK only
    virtual int32_t newMacro() = 0;                   // "新規作成": 0 when the user cancelled
    virtual void minimize() = 0;                      // SW_MINIMIZE
    virtual void restore() = 0;                       // SW_RESTORE
    virtual void startRecorderTimer() = 0;            // timer 2, 1 ms
    virtual void killRecorderTimer() = 0;
    virtual void refreshList() = 0;
};

class RecordingControl {
public:
    RecordingControl(MacroPlayer& player, RecordingHost& host, const CodePage& codePage);

    // "自動記録": asks whether to append to a non-empty list, explains how to stop,
    // minimizes the window and starts polling.
    void beginRecording();

    // WM_TIMER id 2: one poll; at its end the list is shown again and the window restored.
    void onRecorderTimer();

private:
    MacroPlayer& player_;
    RecordingHost& host_;
    const CodePage& codePage_;
};

inline constexpr std::string_view kAppendQuestion = "編集中のデータの最後に追加しますか？";
inline constexpr std::string_view kRecordingHint =
    "マウスクリックなどを記録します。終了の場合は「ESC」または「F2」を押してください。";
inline constexpr std::string_view kRecordingEnded = "記録終了";

}  // namespace tappling
