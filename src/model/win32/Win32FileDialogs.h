// The system's open and save dialogs for macro files.
#pragma once

#include <windows.h>

#include "model/MacroFileChooser.h"

namespace tappling {

class Win32FileDialogs final : public FileDialogs {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::optional<ChosenFile> choose(ChooseMode mode, const std::string& initialName) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace tappling
