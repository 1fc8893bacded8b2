// The file commands of the main window: new, save, save as, open, import and a dropped
// file. Every command keeps the user's macro when a file cannot be read or written: a read
// goes to a copy that replaces the macro only once the file has loaded whole, and a failed
// write reports its error and keeps `modified`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "commands/MainView.h"
#include "model/CodePage.h"
#include "model/FileAccess.h"
#include "model/MacroFile.h"
#include "model/MacroFileChooser.h"

namespace tappling {

// Asked before a run, a close and every command that would drop unsaved changes.
inline constexpr std::string_view kSaveQuestion = "編集中のデータを保存しますか？";
inline constexpr std::string_view kNotAMacroFileText = "TPMﾌｧｲﾙではありません。";
inline constexpr std::string_view kFormatNotSupportedText = "対応していないファイル形式です。";
inline constexpr std::string_view kVersionNotSupportedText = "対応していないバージョンです。";

enum class SaveOutcome { NothingToSave, Cancelled, Failed, Saved };
enum class LoadOutcome { Cancelled, Refused, Loaded };

class FileCommands {
public:
    FileCommands(CommandContext context, FileAccess& files, FileDialogs& dialogs, const CodePage& codePage)
        : context_(context), files_(files), dialogs_(dialogs), codePage_(codePage) {}

    // "上書き保存", also the Yes of the save question before a run or a close. An empty
    // list saves nothing; without a path the chooser asks for one (cancel: nothing more,
    // not even the caption).
    SaveOutcome save();
    // "保存": always asks for a name (the current one offered); an empty list does nothing.
    SaveOutcome saveAs();
    // "新規作成": 1 when the list was emptied (or already was), 0 when the user cancelled the
    // question or the save it asked for did not happen.
    int32_t newMacro();
    // "開く" and "インポート", through the open chooser.
    LoadOutcome open() { return read(ReadMode::Open); }
    LoadOutcome import() { return read(ReadMode::Import); }
    // A file dropped on the window. It is read before the save question is asked, so an
    // unreadable file is reported without touching the macro.
    LoadOutcome drop(const std::string& droppedPath);

private:
    LoadOutcome read(ReadMode mode);
    bool writeTo(const std::string& path);
    void reportReadFailure(const ReadOutcome& outcome);
    bool chooseSavePath(std::string& path);

    CommandContext context_;
    FileAccess& files_;
    FileDialogs& dialogs_;
    const CodePage& codePage_;
};

}  // namespace tappling
