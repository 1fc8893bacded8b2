// The dialogs the editing commands open, behind a seam so tests can script the user's
// answers. The real ones are Win32ActionDialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/ActionList.h"
#include "model/ActionRecord.h"

namespace tappling {

class ActionDialogs {
public:
    virtual ~ActionDialogs() = default;
    // The action editor on a copy of one action; rowNumber is its 1-based number in the
    // list (the number a new action will have). The edited copy on OK, nothing on Cancel.
    virtual std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) = 0;
    // The bulk text edit on the selected rows' numbers ("2,3,5") and the first one's input
    // text; it changes the actions in place. True when any action was changed.
    virtual bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList& actions) = 0;
};

}  // namespace tappling
