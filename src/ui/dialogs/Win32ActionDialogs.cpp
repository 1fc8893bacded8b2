#include "ui/dialogs/Win32ActionDialogs.h"

namespace tappling {

// Placeholders until the dialogs land: every edit is cancelled.
std::optional<ActionRecord> Win32ActionDialogs::editAction(const ActionRecord&, int32_t) { return std::nullopt; }
bool Win32ActionDialogs::bulkTextEdit(const std::string&, const std::string&, ActionList&) { return false; }

}  // namespace tappling
