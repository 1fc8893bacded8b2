// The main window's editing commands: add, insert, edit, delete, copy, paste, the wait
// shifts, the bulk text edit, the list's double click and keyboard and the edit asked for
// by the position marker. The dialogs come through ActionDialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "commands/ActionDialogs.h"
#include "commands/MainView.h"
#include "engine/Platform.h"
#include "ui/logic/EditingRules.h"

namespace tappling {

inline constexpr std::string_view kSelectToEdit = "レコードを選択して編集してください";
inline constexpr std::string_view kSelectToDelete = "レコードを選択して削除してください";
inline constexpr std::string_view kSelectRecord = "レコードを選択してください";

// How far "前待ち時間" and "後待ち時間" +/- move every wait.
inline constexpr int32_t kWaitShiftMs = 500;

class EditCommands {
public:
    EditCommands(CommandContext context, ActionDialogs& dialogs) : context_(context), dialogs_(dialogs) {}

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
    // the caller has shown the marker again in place.
    void editThroughMarker(int32_t index);

private:
    std::optional<ActionRecord> runEditor(const ActionRecord& copy, int32_t rowNumber);
    void showChangedRow(ChangedRow shown, bool takeFocus = false);
    void paste(PasteWhere where);

    CommandContext context_;
    ActionDialogs& dialogs_;
};

}  // namespace tappling
