// The real action editor and bulk text edit, modal over the main window.
#pragma once

#include <windows.h>

#include "engine/Platform.h"
#include "model/MacroFileChooser.h"
#include "model/Prompter.h"
#include "model/win32/Win32CodePage.h"
#include "ui/dialogs/ColourChooser.h"
#include "ui/dialogs/PositionMarker.h"
#include "commands/ActionDialogs.h"

namespace tappling {

class Win32ActionDialogs final : public ActionDialogs {
public:
    // The marker, platform and file dialogs are the main window's and outlive this object.
    Win32ActionDialogs(HINSTANCE instance, PositionMarker& marker, Platform& platform, FileDialogs& files)
        : instance_(instance), marker_(marker), platform_(platform), files_(files) {}
    void setOwner(HWND owner) { owner_ = owner; }
    // Seams for tests; by default the system colour chooser and message boxes over the dialog.
    void setColourChooser(ColourChooser& colours) { colours_ = &colours; }
    void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

    std::optional<ActionRecord> editAction(const ActionRecord& copy, int32_t rowNumber) override;
    bool bulkTextEdit(const std::string& numberList, const std::string& newText, ActionList& actions) override;

private:
    HINSTANCE instance_;
    PositionMarker& marker_;
    Platform& platform_;
    FileDialogs& files_;
    HWND owner_ = nullptr;
    Win32ColourChooser systemColours_;
    ColourChooser* colours_ = &systemColours_;
    Prompter* prompter_ = nullptr;
    Win32CodePage codePage_;
};

}  // namespace tappling
