#include "shell/web/desk_fit.hpp"

#include "runtime/drawing.hpp"
#include "shell/web/browser.hpp"

#include <emscripten/html5.h>

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

rt::Single DeskFit::twips(double cssPixels) const { return rt::Single(cssPixels / scale_ * rt::kTwipsPerPixel); }

int DeskFit::overdraw() const { return int(std::ceil(1 / (scale_ * density_))); }

}  // namespace shell
