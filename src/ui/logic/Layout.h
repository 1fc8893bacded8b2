// The main window's layout arithmetic on a size change: the buttons follow the right
// edge, the loop and run controls the bottom-right corner, the list grows with the
// window, and the upper buttons hide when the window is lower than it was created.
#pragma once

#include <cstdint>

namespace tappling {

struct LayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutChange {
    int32_t dx = 0;
    int32_t dy = 0;
    bool hideUpper = false;
    bool operator==(const LayoutChange&) const = default;
};

LayoutChange layoutChange(const LayoutRect& previousClient, const LayoutRect& initialClient,
                          const LayoutRect& newClient);

// Both horizontal edges move by dx (the upper buttons).
LayoutRect followRightEdge(LayoutRect control, const LayoutChange& change);
// All four edges move (the loop and run controls).
LayoutRect followCorner(LayoutRect control, const LayoutChange& change);
// The right and bottom edges move (the list).
LayoutRect stretch(LayoutRect control, const LayoutChange& change);

}  // namespace tappling
