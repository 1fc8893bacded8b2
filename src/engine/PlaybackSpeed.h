// Playback speed: every wait of a run is divided by the chosen factor.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tappling {

enum class PlaybackSpeed : int32_t { Quarter, Half, Normal, Double, Quadruple };

constexpr std::array<PlaybackSpeed, 5> kPlaybackSpeeds{PlaybackSpeed::Quarter, PlaybackSpeed::Half,
                                                       PlaybackSpeed::Normal, PlaybackSpeed::Double,
                                                       PlaybackSpeed::Quadruple};

// The factor as a fraction, so scaled waits stay exact: a wait of ms lasts ms * den / num.
struct SpeedRatio {
    uint32_t num = 1;
    uint32_t den = 1;
};

SpeedRatio speedRatio(PlaybackSpeed speed);

// The remembered form: the factor in percent (25, 50, 100, 200, 400); nullopt for any other value.
uint32_t speedPercent(PlaybackSpeed speed);
std::optional<PlaybackSpeed> speedFromPercent(uint32_t percent);

// "×0.25" … "×4" (UTF-8), as the menu shows it.
std::string speedLabel(PlaybackSpeed speed);
// " [×2]" after the file name in the caption; empty at ×1.
std::string speedCaptionSuffix(PlaybackSpeed speed);

}  // namespace tappling
