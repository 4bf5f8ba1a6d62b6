#include "shell/web/desk_fit.hpp"

#include "runtime/drawing.hpp"
#include "shell/web/browser.hpp"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

namespace shell {

// The canvases' sizes follow from the scale and the display's density alone.
bool DeskFit::refit() {
    const double scale = kraxFitDesk(), density = emscripten_get_device_pixel_ratio();
    const bool resized = scale != scale_ || density != density_;
    scale_ = scale;
    density_ = density;
    return resized;
}

// A point lands on the coarsest grid of 15/k twips (k up to 8) that is no coarser than
// a device pixel: no player sees the difference, and a link holds a point of such a
// grid in a few bits where an arbitrary one takes 32.
rt::Single DeskFit::twips(double cssPixels) const {
    const double grid = rt::kTwipsPerPixel / std::clamp(std::ceil(scale_ * density_), 1.0, 8.0);
    return rt::Single(std::round(cssPixels / scale_ * rt::kTwipsPerPixel / grid) * grid);
}

int DeskFit::overdraw() const { return int(std::ceil(1 / (scale_ * density_))); }

}  // namespace shell
