#include "engine/PlaybackSpeed.h"

namespace tappling {
namespace {

struct SpeedRow {
    PlaybackSpeed speed;
    SpeedRatio ratio;
    uint32_t percent;
    const char* label;
};

constexpr SpeedRow kRows[] = {
    {PlaybackSpeed::Quarter, {1, 4}, 25, "×0.25"},  {PlaybackSpeed::Half, {1, 2}, 50, "×0.5"},
    {PlaybackSpeed::Normal, {1, 1}, 100, "×1"},     {PlaybackSpeed::Double, {2, 1}, 200, "×2"},
    {PlaybackSpeed::Quadruple, {4, 1}, 400, "×4"},
};

const SpeedRow& row(PlaybackSpeed speed) {
    for (const SpeedRow& r : kRows) {
        if (r.speed == speed) return r;
    }
    return kRows[2];
}

}  // namespace

SpeedRatio speedRatio(PlaybackSpeed speed) { return row(speed).ratio; }

uint32_t speedPercent(PlaybackSpeed speed) { return row(speed).percent; }

std::optional<PlaybackSpeed> speedFromPercent(uint32_t percent) {
    for (const SpeedRow& r : kRows) {
        if (r.percent == percent) return r.speed;
    }
    return std::nullopt;
}

std::string speedLabel(PlaybackSpeed speed) { return row(speed).label; }

std::string speedCaptionSuffix(PlaybackSpeed speed) {
    if (speed == PlaybackSpeed::Normal) return {};
    return std::string(" [") + row(speed).label + "]";
}

}  // namespace tappling
