// The page's share of fitting the desk (fit_library.js does the layout): the scale
// the windows are shown at, for turning positions on a canvas into the game's twips.
#pragma once

#include "runtime/layout.hpp"

namespace shell {

class DeskFit {
public:
    // Fits the shown windows to the page as it is now. True when the canvases got new
    // sizes (and so lost their pixels): every window must draw again.
    bool refit();
    // A distance on a window's canvas in CSS pixels, as twips of its client area, to
    // within half a device pixel.
    rt::Single twips(double cssPixels) const;
    // Client-area pixels that hold at least one device pixel: drawn around a change,
    // they make its edge's device pixels whole.
    int overdraw() const;

private:
    double scale_ = 1;    // CSS pixels per pixel of a client area
    double density_ = 1;  // device pixels per CSS pixel
};

}  // namespace shell
