// The system colour chooser behind a seam, so tests can script the user's choice.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tappling {

class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    // Opens fully expanded on initial (COLORREF); the chosen colour, nothing on cancel.
    virtual std::optional<uint32_t> chooseColour(HWND parent, uint32_t initial) = 0;
};

class Win32ColourChooser final : public ColourChooser {
public:
    std::optional<uint32_t> chooseColour(HWND parent, uint32_t initial) override;

private:
    COLORREF customColours_[16] = {};  // the chooser's own palette, kept between choices
};

}  // namespace tappling
