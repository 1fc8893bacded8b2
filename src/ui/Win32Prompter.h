// Message boxes owned by a window (or none), caption "Tappling".
#pragma once

#include <windows.h>

#include "model/Prompter.h"

namespace tappling {

class Win32Prompter final : public Prompter {
public:
    explicit Win32Prompter(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    void inform(std::string_view text) override;
    Answer askYesNoCancel(std::string_view question) override;
    bool askOkCancel(std::string_view question) override;

private:
    int show(std::string_view text, UINT type);
    HWND owner_;
};

}  // namespace tappling
