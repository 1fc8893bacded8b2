// The two playback choices remembered per user between runs of the program: the speed
// and "手動操作で停止". A value that is missing or cannot be read means the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/PlaybackSpeed.h"

namespace tappling {

// Named 32-bit values of the user's settings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<uint32_t> readNumber(const std::string& name) = 0;
    virtual bool writeNumber(const std::string& name, uint32_t value) = 0;
};

inline constexpr const char* kSpeedValueName = "PlaybackSpeed";         // percent: 25 … 400
inline constexpr const char* kStopOnInputValueName = "StopOnManualInput";  // 0 or 1

struct PlaybackSettings {
    PlaybackSpeed speed = PlaybackSpeed::Normal;
    bool stopOnManualInput = false;
    bool operator==(const PlaybackSettings&) const = default;
};

PlaybackSettings loadPlaybackSettings(SettingsStore& store);
// False when a value could not be written; the choice then holds for this run only.
bool savePlaybackSettings(SettingsStore& store, const PlaybackSettings& settings);

}  // namespace tappling
