#include "commands/EditCommands.h"

namespace tappling {
namespace {

constexpr uint16_t kVkX = 0x58;

}  // namespace

std::optional<ActionRecord> EditCommands::runEditor(const ActionRecord& copy, int32_t rowNumber) {
    context_.view.show(WindowShow::Minimize);
    std::optional<ActionRecord> edited = dialogs_.editAction(copy, rowNumber);
    context_.view.show(WindowShow::Restore);
    return edited;
}

void EditCommands::showChangedRow(ChangedRow shown, bool takeFocus) {
    context_.view.refreshList();
    context_.view.selectRow(shown.row);
    context_.view.watchMarker();
    context_.view.showMarkerFor(shown.row);
    context_.view.show(WindowShow::InPlace);
    if (takeFocus) context_.view.takeFocus();
    context_.player.noteChange(MacroChange::Edited);
    context_.view.scrollRows(shown.scroll);
}

void EditCommands::addAtEnd() {
    ActionList& actions = context_.player.actions();
    const std::optional<ActionRecord> added = runEditor(makeDefaultRecord(), actions.size() + 1);
    if (!added) {
        context_.view.refreshList();
        return;
    }
    actions.append(*added);
    showChangedRow(changedRowAt(actions.size() - 1));
}

void EditCommands::insertBefore() {
    const std::vector<int32_t> selected = context_.view.selectedRows();
    if (selected.empty()) {
        context_.prompter.inform(kSelectToEdit);
        return;
    }
    const int32_t last = selected.back();
    const std::optional<ActionRecord> inserted = runEditor(makeDefaultRecord(), last + 1);
    if (!inserted) {
        context_.view.refreshList();
        return;
    }
    context_.player.actions().insertAt(last, *inserted);
    showChangedRow(changedRowAt(last), true);
}

void EditCommands::editSelected() {
    const std::vector<int32_t> selected = context_.view.selectedRows();
    if (selected.empty()) {
        context_.prompter.inform(kSelectToEdit);
        return;
    }
    const int32_t row = selected.front();
    ActionList& actions = context_.player.actions();
    const std::optional<ActionRecord> edited = runEditor(actions.recordAt(row), row + 1);
    if (!edited) {
        context_.view.refreshList();
        return;
    }
    actions.replaceAt(row, *edited);
    showChangedRow(changedRowAt(row));
}

void EditCommands::deleteSelected() {
    const std::vector<int32_t> selected = context_.view.selectedRows();
    if (selected.empty()) {
        context_.prompter.inform(kSelectToDelete);
        return;
    }
    // From the end, so the rows still to remove keep their positions.
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        context_.player.actions().removeAt(*row);
        context_.player.noteChange(MacroChange::Edited);
    }
    context_.view.refreshList();
    context_.view.hideMarker();
}

void EditCommands::copySelected() {
    context_.player.copyBuffer.clear();
    const std::vector<int32_t> selected = context_.view.selectedRows();
    if (selected.empty()) {
        context_.prompter.inform(kSelectRecord);
        return;
    }
    for (int32_t row : selected) context_.player.copyBuffer.push_back(context_.player.actions().at(row));
}

void EditCommands::pasteBefore() { paste(PasteWhere::Before); }
void EditCommands::pasteAfter() { paste(PasteWhere::After); }

void EditCommands::paste(PasteWhere where) {
    const std::vector<int32_t> selected = context_.view.selectedRows();
    if (selected.empty()) {
        context_.prompter.inform(kSelectRecord);
        return;
    }
    if (context_.player.copyBuffer.empty()) return;
    const PastePlan plan = pastePlan(where, selected, static_cast<int32_t>(context_.player.copyBuffer.size()));
    // As one block: one at a time, each insert would renumber the jumps pasted before it.
    const auto& buffer = context_.player.copyBuffer;
    context_.player.actions().insertBlockAt(plan.first, {buffer.begin(), buffer.begin() + plan.count});
    showChangedRow(plan.shown);
}

void EditCommands::shiftAllWaits(WaitKind which, int32_t deltaMs) {
    ActionList& actions = context_.player.actions();
    const std::vector<ActionRecord> before = actions.records();
    actions.adjustAllWaits(which, deltaMs);
    // A changed wait is a change like any other: the close must ask before losing it.
    if (actions.records() != before) context_.player.noteChange(MacroChange::WaitsShifted);
    context_.view.refreshList();
}

void EditCommands::bulkTextEdit() {
    const std::vector<int32_t> selected = context_.view.selectedRows();
    const std::string numberList = selectionNumberList(selected);
    const std::string newText = selected.empty() ? std::string() : context_.player.actions().at(selected.front()).inputText;
    if (dialogs_.bulkTextEdit(numberList, newText, context_.player.actions()))
        context_.player.noteChange(MacroChange::TextsReplaced);
}

void EditCommands::onListKey(uint16_t virtualKey, KeyState& keys) {
    keys.asyncKeyState(kVkControl);  // the first answer may tell of a press long released
    const bool ctrl = keys.asyncKeyState(kVkControl) != 0;
    if (context_.view.selectedRows().empty()) return;
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

void EditCommands::editThroughMarker(int32_t index) {
    ActionList& actions = context_.player.actions();
    if (index < 0 || index >= actions.size()) {  // the list changed under a stale marker
        context_.view.refreshList();
        return;
    }
    const std::optional<ActionRecord> edited = runEditor(actions.recordAt(index), index + 1);
    if (edited) {
        actions.replaceAt(index, *edited);
        context_.player.noteChange(MacroChange::MarkerEdited);  // so the close asks before losing it
    }
    context_.view.refreshList();
    context_.view.selectRow(index);
}

}  // namespace tappling
