// Drawing a form into pixels: back to front, clipped to the client area.
#pragma once

#include "runtime/canvas.hpp"
#include "runtime/form.hpp"

namespace rt {

constexpr int kTwipsPerPixel = 15;

// `scale` device pixels per screen pixel: 1, or 2 on a high-density display.
void drawForm(const Form& form, Canvas& canvas, int scale);

// The client area's size in device pixels.
PixelSize clientPixels(const FormLayout& layout, int scale);

}  // namespace rt
