#include "ui/dialogs/ColourChooser.h"

#include <commdlg.h>

namespace tappling {

std::optional<uint32_t> Win32ColourChooser::chooseColour(HWND parent, uint32_t initial) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = parent;
    choose.rgbResult = initial;
    choose.lpCustColors = customColours_;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&choose)) return std::nullopt;
    return static_cast<uint32_t>(choose.rgbResult);
}

}  // namespace tappling
