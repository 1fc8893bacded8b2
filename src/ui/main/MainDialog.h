// The main window: the action list view, the command buttons, the loop controls and the
// menus. It owns the player and the position marker and routes every command family to
// its own unit (PlaybackCommands, FileCommands, EditingCommands); the handlers here only keep the view.
//
// Start-up constructs it, sets currentFilePath (ANSI), autoRunMode and
// player().randomMode, loads player().macro, then calls runModal().
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/MacroPlayer.h"
#include "engine/Platform.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"
#include "model/win32/Win32FileDialogs.h"
#include "ui/Dialog.h"
#include "ui/Win32Prompter.h"
#include "ui/dialogs/PositionMarker.h"
#include "ui/dialogs/Win32ActionDialogs.h"
#include "ui/main/EditingCommands.h"
#include "ui/main/FileCommands.h"
#include "ui/main/ListTextCache.h"
#include "ui/main/PlaybackCommands.h"
#include "ui/main/RecordingCommands.h"
#include "ui/main/ShortcutCommands.h"

namespace tappling {

// What the window asks the user and the file system through; null members get the
// Win32 implementations (tests pass scripted ones).
struct MainDialogServices {
    Prompter* prompter = nullptr;
    FileAccess* files = nullptr;
    FileDialogs* dialogs = nullptr;
    DocumentOpener* opener = nullptr;  // help and the version dialog's links
    ActionDialogs* actionDialogs = nullptr;
};

class MainDialog final : public Dialog {
public:
    MainDialog(HINSTANCE instance, Platform& platform, MainDialogServices services = {});
    ~MainDialog() override;

    int32_t autoRunMode = 0;  // 1: run at once, keep the caption, close at the end
    MacroPlayer& player() { return player_; }
    std::string currentFilePath;  // ANSI code page
    PositionMarker& marker() { return marker_; }

    // Rebuilds every row and the loop controls from the player; no row stays selected.
    void refreshList();
    void updateTitle();
    void updateTitleProgress(int32_t passes);
    // Shows the marker at the action's point, or hides it for actions without one.
    void showMarkerFor(int32_t index);
    // The loop boxes and the loop-count edit into the macro's loop values.
    void readLoopControls();
    // The overwrite save.
    void saveMacro() { fileCommands_.saveMacro(); }
    // "新規作成": 1 to go on, 0 when the user cancelled.
    int32_t newMacro() { return fileCommands_.newMacro(); }
    // Ends the window as its OK command does.
    void closeAsOk() { onOk(); }

    Prompter& prompter() { return prompter_; }
    KeyState& keys() { return platform_.keys; }
    HWND list() const { return list_; }
    int32_t loopChecked = 0;
    int32_t maxChecked = 0;
    const RECT& initialClientRect() const { return initialClientRect_; }

    // The "ループ" box was clicked: read both boxes and enable what depends on it.
    void syncLoopBoxes();

protected:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    std::optional<LRESULT> onNotify(const NMHDR& header) override;
    bool onTimer(UINT_PTR id) override;
    bool onSize(UINT type, int cx, int cy) override;
    bool onPaint() override;
    void onOk() override;
    void onCancel() override;
    bool onClose() override;
    bool onSysCommand(WPARAM command) override;
    bool onDropFiles(HDROP drop) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void insertColumns();
    void layout(UINT sizeType);
    void onRowClick();
    void showContextMenu();
    int32_t firstSelectedRow() const;

    Platform& platform_;
    MacroPlayer player_;
    PositionMarker marker_;
    RECT prevClientRect_{};
    RECT initialClientRect_{};
    bool layoutInitialised_ = false;
    HWND list_ = nullptr;
    HICON appIcon_ = nullptr;

    Win32CodePage codePage_;
    Win32FileAccess fileAccess_;
    Win32FileDialogs fileDialogs_;
    Win32Prompter win32Prompter_;
    Prompter& prompter_;
    ListTextCache listTexts_;
    PlaybackCommands playback_;
    RecordingCommands recording_;
    FileCommands fileCommands_;
    ShortcutCommands shortcuts_;
    Win32ActionDialogs win32ActionDialogs_;
    EditingCommands editing_;
};

}  // namespace tappling
