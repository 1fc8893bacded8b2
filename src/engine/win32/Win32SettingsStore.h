// The user's settings as DWORD values under HKEY_CURRENT_USER\Software\Tappling.
#pragma once

#include "engine/PlaybackSettings.h"

namespace tappling {

class Win32SettingsStore final : public SettingsStore {
public:
    std::optional<uint32_t> readNumber(const std::string& name) override;
    bool writeNumber(const std::string& name, uint32_t value) override;
};

}  // namespace tappling
