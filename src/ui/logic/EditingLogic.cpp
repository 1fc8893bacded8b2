#include "ui/logic/EditingLogic.h"

#include "resources/resource.h"

namespace tappling {
namespace {

constexpr uint16_t kVkX = 0x58;
constexpr int32_t kHalfSecondMs = 500;

}  // namespace

bool EditingLogic::onCommand(int32_t commandId) {
    switch (commandId) {
        case IDC_ADD_AT_END:
        case ID_EDIT_ADD_AT_END: addAtEnd(); return true;
        case IDC_INSERT_BEFORE:
        case ID_EDIT_INSERT_BEFORE: insertBefore(); return true;
        case IDC_DELETE:
        case ID_EDIT_DELETE: deleteSelected(); return true;
        case IDC_EDIT:
        case ID_EDIT_EDIT: editSelected(); return true;
        case ID_EDIT_COPY_ACTIONS: copySelected(); return true;
        case ID_EDIT_PASTE_BEFORE: pasteBefore(); return true;
        case ID_EDIT_PASTE_AFTER: pasteAfter(); return true;
        case ID_EDIT_PRE_WAIT_PLUS: shiftAllWaits(WaitKind::Pre, kHalfSecondMs); return true;
        case ID_EDIT_PRE_WAIT_MINUS: shiftAllWaits(WaitKind::Pre, -kHalfSecondMs); return true;
        case ID_EDIT_POST_WAIT_PLUS: shiftAllWaits(WaitKind::Post, kHalfSecondMs); return true;
        case ID_EDIT_POST_WAIT_MINUS: shiftAllWaits(WaitKind::Post, -kHalfSecondMs); return true;
        case ID_EDIT_BULK_TEXT: bulkTextEdit(); return true;
        default: return false;
    }
}

std::optional<ActionRecord> EditingLogic::runEditor(const ActionRecord& copy, int32_t rowNumber) {
    host_.minimizeWindow();
    std::optional<ActionRecord> edited = dialogs_.editAction(copy, rowNumber);
    host_.restoreWindow();
    return edited;
}

void EditingLogic::markChanged() {
    player_.modified = 1;
    player_.resumable = 0;
}

void EditingLogic::showChangedRow(ChangedRow shown, bool takeFocus) {
    host_.refreshList();
    host_.selectRow(shown.row);
    host_.watchMarker();
    host_.showMarkerFor(shown.row);
    host_.showWindow();
    if (takeFocus) host_.takeFocus();
    markChanged();
    host_.scrollRows(shown.scroll);
}

void EditingLogic::addAtEnd() {
    ActionList& actions = player_.actions();
    const std::optional<ActionRecord> added = runEditor(makeDefaultRecord(), actions.size() + 1);
    if (!added) {
        host_.refreshList();
        return;
    }
    actions.append(*added);
    showChangedRow(changedRowAt(actions.size() - 1));
}

void EditingLogic::insertBefore() {
    const std::vector<int32_t> selected = host_.selectedRows();
    if (selected.empty()) {
        host_.inform(kSelectToEdit);
        return;
    }
    const int32_t last = selected.back();
    const std::optional<ActionRecord> inserted = runEditor(makeDefaultRecord(), last + 1);
    if (!inserted) {
        host_.refreshList();
        return;
    }
    player_.actions().insertAt(last, *inserted);
    showChangedRow(changedRowAt(last), true);
}

void EditingLogic::editSelected() {
    const std::vector<int32_t> selected = host_.selectedRows();
    if (selected.empty()) {
        host_.inform(kSelectToEdit);
        return;
    }
    const int32_t row = selected.front();
    ActionList& actions = player_.actions();
    const std::optional<ActionRecord> edited = runEditor(actions.recordAt(row), row + 1);
    if (!edited) {
        host_.refreshList();
        return;
    }
    actions.replaceAt(row, *edited);
    showChangedRow(changedRowAt(row));
}

void EditingLogic::deleteSelected() {
    const std::vector<int32_t> selected = host_.selectedRows();
    if (selected.empty()) {
        host_.inform(kSelectToDelete);
        return;
    }
    // From the end, so the rows still to remove keep their positions.
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        player_.actions().removeAt(*row);
        markChanged();
    }
    host_.refreshList();
    host_.hideMarker();
}

void EditingLogic::copySelected() {
    player_.copyBuffer.clear();
    const std::vector<int32_t> selected = host_.selectedRows();
    if (selected.empty()) {
        host_.inform(kSelectRecord);
        return;
    }
    for (int32_t row : selected) player_.copyBuffer.push_back(player_.actions().at(row));
}

void EditingLogic::pasteBefore() { paste(PasteWhere::Before); }
void EditingLogic::pasteAfter() { paste(PasteWhere::After); }

void EditingLogic::paste(PasteWhere where) {
    const std::vector<int32_t> selected = host_.selectedRows();
    if (selected.empty()) {
        host_.inform(kSelectRecord);
        return;
    }
    if (player_.copyBuffer.empty()) return;
    const PastePlan plan = pastePlan(where, selected, static_cast<int32_t>(player_.copyBuffer.size()));
    for (int32_t i = 0; i < plan.count; ++i)
        player_.actions().insertAt(plan.first + i, player_.copyBuffer[static_cast<size_t>(i)]);
    showChangedRow(plan.shown);
}

void EditingLogic::shiftAllWaits(WaitKind which, int32_t deltaMs) {
    ActionList& actions = player_.actions();
    const std::vector<ActionRecord> before = actions.records();
    actions.adjustAllWaits(which, deltaMs);
    // A changed wait is a change like any other: the close must ask before losing it.
    if (actions.records() != before) player_.modified = 1;
    host_.refreshList();
}

void EditingLogic::bulkTextEdit() {
    const std::vector<int32_t> selected = host_.selectedRows();
    const std::string numberList = selectionNumberList(selected);
    const std::string newText = selected.empty() ? std::string() : player_.actions().at(selected.front()).inputText;
    if (dialogs_.bulkTextEdit(numberList, newText, player_.actions())) player_.modified = 1;
}

void EditingLogic::onListKey(uint16_t virtualKey, KeyState& keys) {
    keys.asyncKeyState(kVkControl);  // the first answer may tell of a press long released
    const bool ctrl = keys.asyncKeyState(kVkControl) != 0;
    if (host_.selectedRows().empty()) return;
    if (virtualKey == kVkDelete) {
        deleteSelected();
        return;
    }
    if (!ctrl) return;
    switch (virtualKey) {
        case kVkC: copySelected(); break;
        case kVkV: pasteBefore(); break;
        case kVkX:
            copySelected();
            deleteSelected();
            break;
        default: break;
    }
}

void EditingLogic::editThroughMarker(int32_t index) {
    ActionList& actions = player_.actions();
    if (index < 0 || index >= actions.size()) {  // the list changed under a stale marker
        host_.refreshList();
        return;
    }
    const std::optional<ActionRecord> edited = runEditor(actions.recordAt(index), index + 1);
    if (edited) {
        actions.replaceAt(index, *edited);
        player_.modified = 1;  // so the close asks before losing the edit
    }
    host_.refreshList();
    host_.selectRow(index);
}

}  // namespace tappling
