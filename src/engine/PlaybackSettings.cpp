#include "engine/PlaybackSettings.h"

namespace tappling {

PlaybackSettings loadPlaybackSettings(SettingsStore& store) {
    PlaybackSettings settings;
    if (const auto percent = store.readNumber(kSpeedValueName)) {
        settings.speed = speedFromPercent(*percent).value_or(PlaybackSpeed::Normal);
    }
    if (const auto stop = store.readNumber(kStopOnInputValueName); stop && *stop <= 1) {
        settings.stopOnManualInput = *stop == 1;
    }
    return settings;
}

bool savePlaybackSettings(SettingsStore& store, const PlaybackSettings& settings) {
    const bool speedWritten = store.writeNumber(kSpeedValueName, speedPercent(settings.speed));
    const bool stopWritten = store.writeNumber(kStopOnInputValueName, settings.stopOnManualInput ? 1 : 0);
    return speedWritten && stopWritten;
}

}  // namespace tappling
