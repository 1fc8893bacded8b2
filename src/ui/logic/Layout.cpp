#include "ui/logic/Layout.h"

namespace tappling {

LayoutChange layoutChange(const LayoutRect& previousClient, const LayoutRect& initialClient,
                          const LayoutRect& newClient) {
    LayoutChange change;
    change.dx = newClient.right - previousClient.right;
    change.dy = newClient.bottom - previousClient.bottom;
    change.hideUpper = (newClient.bottom - newClient.top) < (initialClient.bottom - initialClient.top);
    return change;
}

LayoutRect followRightEdge(LayoutRect control, const LayoutChange& change) {
    control.left += change.dx;
    control.right += change.dx;
    return control;
}

LayoutRect followCorner(LayoutRect control, const LayoutChange& change) {
    control = followRightEdge(control, change);
    control.top += change.dy;
    control.bottom += change.dy;
    return control;
}

LayoutRect stretch(LayoutRect control, const LayoutChange& change) {
    control.right += change.dx;
    control.bottom += change.dy;
    return control;
}

}  // namespace tappling
