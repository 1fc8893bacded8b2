// The main window's editing commands as portable logic: add, insert, edit, delete, copy,
// paste, the wait shifts, the bulk text edit, the list's keyboard and the edit asked for
// by the position marker. The window implements EditingHost and forwards the commands
// here; the dialogs come through ActionDialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/MacroPlayer.h"
#include "engine/Platform.h"
#include "ui/logic/EditingRules.h"
#include "ui/main/ActionDialogs.h"

namespace tappling {

// What the commands need from the main window and its list view.
class EditingHost {
public:
    virtual ~EditingHost() = default;
    virtual std::vector<int32_t> selectedRows() = 0;  // ascending
    virtual void inform(std::string_view utf8) = 0;   // message box, OK only
    virtual void refreshList() = 0;                   // rebuilt, no row selected, scrolled to the top
    virtual void selectRow(int32_t row) = 0;          // that row only
    virtual void watchMarker() = 0;                   // (re)starts the marker poll, timer 4
    virtual void showMarkerFor(int32_t row) = 0;
    virtual void hideMarker() = 0;
    virtual void showWindow() = 0;                    // shown without moving, sizing or z-order change
    virtual void takeFocus() = 0;                     // the main window takes the keyboard focus
    virtual void scrollRows(int32_t rows) = 0;        // down by rows × the height of row 0
    virtual void minimizeWindow() = 0;                // around the action editor
    virtual void restoreWindow() = 0;
};

inline constexpr std::string_view kSelectToEdit = "レコードを選択して編集してください";
inline constexpr std::string_view kSelectToDelete = "レコードを選択して削除してください";
inline constexpr std::string_view kSelectRecord = "レコードを選択してください";

class EditingLogic {
public:
    EditingLogic(MacroPlayer& player, EditingHost& host, ActionDialogs& dialogs)
        : player_(player), host_(host), dialogs_(dialogs) {}

    // Buttons 1002, 1006, 1003, 1005 and the editing menu items; false for other ids.
    bool onCommand(int32_t commandId);

    void addAtEnd();
    void insertBefore();
    void editSelected();
    void deleteSelected();
    void copySelected();
    void pasteBefore();
    void pasteAfter();
    void shiftAllWaits(WaitKind which, int32_t deltaMs);
    void bulkTextEdit();

    // A key went down in the list: Ctrl+C, Ctrl+V, Ctrl+X and Delete act on a selection and
    // stay silent without one. Ctrl counts when down now: the second of two queries.
    void onListKey(uint16_t virtualKey, KeyState& keys);

    // The marker asked for the editor on its action (a double click on the locked marker);
    // the caller has stopped the poll and put the marker back in place.
    void editThroughMarker(int32_t index);

private:
    std::optional<ActionRecord> runEditor(const ActionRecord& copy, int32_t rowNumber);
    void showChangedRow(ChangedRow shown, bool takeFocus = false);
    void markChanged();
    void paste(PasteWhere where);

    MacroPlayer& player_;
    EditingHost& host_;
    ActionDialogs& dialogs_;
};

}  // namespace tappling
