// The file commands of the main window as portable logic: new, save as, open, import and
// a dropped file. The window supplies its view through FileCommandHost; the system its
// file access, file dialog and message boxes. Every command keeps the user's macro when a
// file cannot be read or written: a read goes to a copy that replaces the macro only once
// the file has loaded whole, and a failed write reports its error and saves nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CodePage.h"
#include "model/MacroFile.h"
#include "ui/logic/OverwriteSave.h"

namespace tappling {

// Asked before a run, a close and every command that would drop unsaved changes.
inline constexpr std::string_view kSaveQuestion = "編集中のデータを保存しますか？";
inline constexpr std::string_view kNotAMacroFileText = "TPMﾌｧｲﾙではありません。";
inline constexpr std::string_view kFormatNotSupportedText = "対応していないファイル形式です。";
inline constexpr std::string_view kVersionNotSupportedText = "対応していないバージョンです。";

// The window's macro and the bookkeeping the commands keep with it.
struct MacroDocument {
    Macro& macro;
    int32_t& modified;
    int32_t& resumable;
    std::string& currentFilePath;  // ANSI code page
};

class FileCommandHost : public SaveHost {
public:
    virtual void refreshList() = 0;  // rebuilds the rows and the loop controls
    virtual void hideMarker() = 0;
};

struct FileCommandServices {
    FileAccess& files;
    FileDialogs& dialogs;
    Prompter& prompter;
    const CodePage& codePage;
};

enum class LoadOutcome { Cancelled, Refused, Loaded };

// "保存": always asks for a name (the current one offered); an empty list does nothing.
SaveOutcome saveMacroAs(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services);

// "新規作成": 1 when the list was emptied (or already was), 0 when the user cancelled the
// question or the save it asked for did not happen.
int32_t newMacro(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services);

// "開く" (ReadMode::Open) and "インポート" (ReadMode::Import), through the open chooser.
LoadOutcome openMacroFile(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services,
                          ReadMode mode);

// A file dropped on the window (the first one only). The file is read before the save
// question is asked, so an unreadable file is reported without touching the macro.
LoadOutcome dropMacroFile(const MacroDocument& document, FileCommandHost& host, FileCommandServices& services,
                          const std::string& droppedPath);

}  // namespace tappling
