// The editing commands of the main window, its list's double click and keyboard, and the
// marker poll (timer 4), handed to the portable EditingLogic; this unit is the window's
// side of EditingHost.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/logic/EditingLogic.h"

namespace tappling {

class MainDialog;

class EditingCommands final : private EditingHost {
public:
    EditingCommands(MainDialog& window, MacroPlayer& player, ActionDialogs& dialogs);

    // Editing buttons and menu items; false for other ids.
    bool onCommand(int id) { return logic_.onCommand(id); }
    void onListDoubleClick() { logic_.editSelected(); }
    void onListKeyDown(WORD virtualKey);
    // Timer 4: opens the editor once the marker asks for it.
    void onMarkerPollTimer();

private:
    std::vector<int32_t> selectedRows() override;
    void inform(std::string_view utf8) override;
    void refreshList() override;
    void selectRow(int32_t row) override;
    void watchMarker() override;
    void showMarkerFor(int32_t row) override;
    void hideMarker() override;
    void showWindow() override;
    void takeFocus() override;
    void scrollRows(int32_t rows) override;
    void minimizeWindow() override;
    void restoreWindow() override;

    MainDialog& window_;
    EditingLogic logic_;
};

}  // namespace tappling
