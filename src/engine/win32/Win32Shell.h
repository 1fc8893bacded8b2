// Opening documents through the shell; safe on any thread.
#pragma once

#include "engine/Platform.h"

namespace tappling {

class Win32Shell final : public Shell {
public:
    void open(const std::string& ansiPath, bool maximized) override;
};

}  // namespace tappling
