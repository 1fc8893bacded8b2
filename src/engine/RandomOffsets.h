// The small displacements of random-click playback: k = 1..15 picks one of these
// points around the recorded one, never more than 2 pixels away on either axis.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Platform.h"

namespace tappling {

// Index 0 is unused so that the table reads with k as drawn.
constexpr std::array<Point, 16> randomOffsets = {{
    {0, 0},
    {0, 0}, {-2, 1}, {0, -1}, {2, 0}, {-1, 1},
    {1, -1}, {-1, 0}, {1, 1}, {-1, -1}, {1, 0},
    {-2, -1}, {2, 1}, {-2, 0}, {0, 1}, {2, -1},
}};

// k from one random value: value % 15 + 1, kept in 1..15 for any int.
constexpr int randomOffsetIndex(int randomValue) {
    const int r = randomValue % 15;
    return (r < 0 ? r + 15 : r) + 1;
}

}  // namespace tappling
