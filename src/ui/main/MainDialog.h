// The main window: the action list view, the command buttons, the loop controls and the
// menus. It owns the player and the position marker, is the MainView of the command
// families in commands/, and maps every command id to its handler in one table
// (MainDialog.cpp); the rest here is window plumbing.
//
// Start-up constructs it, sets currentFilePath (ANSI), autoRunMode and
// player().randomMode, loads player().macro, then calls runModal().
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/MainView.h"
#include "commands/RecordCommands.h"
#include "commands/RunCommands.h"
#include "commands/ShortcutCommands.h"
#include "engine/MacroPlayer.h"
#include "engine/Platform.h"
#include "model/win32/Win32CodePage.h"
#include "model/win32/Win32FileAccess.h"
#include "model/win32/Win32FileDialogs.h"
#include "engine/win32/Win32RunGuards.h"
#include "engine/win32/Win32SettingsStore.h"
#include "ui/Dialog.h"
#include "ui/Win32Prompter.h"
#include "ui/dialogs/PositionMarker.h"
#include "ui/dialogs/Win32ActionDialogs.h"
#include "ui/logic/AutoRunStart.h"
#include "ui/main/DocumentOpener.h"
#include "ui/main/ListTextCache.h"

namespace tappling {

// What the window asks the user and the file system through; null members get the
// Win32 implementations (tests pass scripted ones).
struct MainDialogServices {
    Prompter* prompter = nullptr;
    FileAccess* files = nullptr;
    FileDialogs* dialogs = nullptr;
    DocumentOpener* opener = nullptr;  // help and the version dialog's links
    ActionDialogs* actionDialogs = nullptr;
    SettingsStore* settings = nullptr;  // the remembered playback choices
};

class MainDialog final : public Dialog, private MainView {
public:
    MainDialog(HINSTANCE instance, Platform& platform, MainDialogServices services = {});
    ~MainDialog() override;

    int32_t autoRunMode = 0;  // 1: run at once, keep the caption, close at the end
    MacroPlayer& player() { return player_; }
    std::string currentFilePath;  // ANSI code page
    PositionMarker& marker() { return marker_; }

    // Rebuilds every row and the loop controls from the player; no row stays selected.
    void refreshList() override;
    void updateTitle() override;
    void updateTitleProgress(int32_t passes) override;
    // The loop boxes and the loop-count edit into the macro's loop values.
    void readLoopControls() override;

    HWND list() const { return list_; }
    int32_t loopChecked = 0;
    int32_t maxChecked = 0;
    const RECT& initialClientRect() const { return initialClientRect_; }

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
    // MainView
    std::vector<int32_t> selectedRows() override;
    void selectRow(int32_t row) override;
    void scrollRows(int32_t rows) override;
    void showMarkerFor(int32_t row) override;
    void hideMarker() override { marker_.hide(); }
    void watchMarker() override { markerWatched_ = true; }
    void stopWatchingMarker() override { markerWatched_ = false; }
    void show(WindowShow how) override;
    void takeFocus() override;
    void startTimer(CommandTimer timer) override;
    void stopTimer(CommandTimer timer) override;
    void closeAsOk() override { onOk(); }
    void writeDesktopShortcut(std::string_view option) override;
    void showPlaybackChoices() override;

    void insertColumns();
    void layout(UINT sizeType);
    void onRowClick();
    void showContextMenu();
    int32_t firstSelectedRow() const;
    void syncLoopBoxes();
    void onMarkerEditRequest();
    void editThroughMarker();
    void onDropFile(HDROP drop);
    void openHelp();
    void showAbout();
    void armAutoRun();
    std::string speedSuffix() const;
    std::optional<INT_PTR> onAutoRunMessage(UINT message, LPARAM lParam);

    Platform& platform_;
    MacroPlayer player_;
    Win32RunGuards guards_{player_};
    Win32SettingsStore settingsStore_;
    bool stepTimerOn_ = false;  // a run plays: the caption shows the speed in force
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
    ShellDocumentOpener shellOpener_;
    DocumentOpener& opener_;
    Win32ActionDialogs win32ActionDialogs_;
    AutoRunStart autoRunStart_;
    bool markerWatched_ = false;  // a double click on the marker edits until the editor opens

    FileCommands files_;
    RunCommands run_;
    RecordCommands record_;
    EditCommands edit_;
    ShortcutCommands shortcuts_;
};

}  // namespace tappling
