#include "ui/logic/AutoRunStart.h"

namespace tappling {

AutoRunStart::Show AutoRunStart::onShow() {
    switch (stage_) {
        case Stage::HoldingShows: return Show::Hold;  // the show that follows initialisation
        case Stage::AwaitingLoopShow: stage_ = Stage::Started; return Show::AllowAndStart;
        default: return Show::Allow;
    }
}

bool AutoRunStart::onLoopRunning(bool windowVisible) {
    if (stage_ != Stage::HoldingShows) return false;
    stage_ = windowVisible ? Stage::Started : Stage::AwaitingLoopShow;
    return windowVisible;
}

}  // namespace tappling
