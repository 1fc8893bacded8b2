// Clipboard text (CF_TEXT, ANSI code page bytes).
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Clipboard final : public Clipboard {
public:
    bool setText(const std::string& ansiText) override;
};

}  // namespace tappling
