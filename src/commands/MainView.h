// What the main window's commands need from the window: its list view, its loop
// controls, caption and marker, its show state and its timers. MainDialog implements it;
// the tests use one recording fake.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/MacroPlayer.h"
#include "model/Prompter.h"

namespace tappling {

enum class WindowShow {
    Minimize,       // SW_MINIMIZE: around the action editor and a recording
    ShowMinimized,  // SW_SHOWMINIMIZED: a run
    Restore,        // SW_RESTORE
    ShowNormal,     // SW_SHOWNORMAL: the end of a run
    InPlace,        // shown without moving, sizing or a change of z-order
};

enum class CommandTimer { Recorder, Step };  // 1 ms each

class MainView {
public:
    virtual ~MainView() = default;
    virtual std::vector<int32_t> selectedRows() = 0;  // ascending
    virtual void selectRow(int32_t row) = 0;          // that row only
    virtual void scrollRows(int32_t rows) = 0;        // down by rows × the height of row 0
    virtual void refreshList() = 0;                   // rows and loop controls rebuilt, no row selected
    virtual void readLoopControls() = 0;              // the loop boxes into the macro's loop values
    virtual void updateTitle() = 0;
    virtual void updateTitleProgress(int32_t passes) = 0;
    virtual void showMarkerFor(int32_t row) = 0;      // hidden for actions without a point
    virtual void hideMarker() = 0;
    virtual void watchMarker() = 0;                   // a double click on the marker edits its action
    virtual void stopWatchingMarker() = 0;            // until the next watchMarker, it edits nothing
    virtual void show(WindowShow how) = 0;
    virtual void takeFocus() = 0;                     // to the list, where the editing keys live
    virtual void startTimer(CommandTimer timer) = 0;
    virtual void stopTimer(CommandTimer timer) = 0;
    virtual void closeAsOk() = 0;
    virtual void writeDesktopShortcut(std::string_view option) = 0;  // failures are silent
    virtual void showPlaybackChoices() = 0;  // the speed's radio item and the stop-on-input check
};

// What every command family is built over.
struct CommandContext {
    MacroPlayer& player;
    std::string& currentFilePath;  // ANSI code page
    MainView& view;
    Prompter& prompter;
};

}  // namespace tappling
