// Drawing a form into pixels: back to front, clipped to the client area.
#pragma once

#include "runtime/canvas.hpp"
#include "runtime/form.hpp"

namespace rt {

constexpr int kTwipsPerPixel = 15;

// `scale` device pixels per screen pixel: 1, or 2 on a high-density display. With an
// `area`, only the pixels inside it are drawn (see Damage).
void drawForm(const Form& form, Canvas& canvas, int scale);
void drawForm(const Form& form, Canvas& canvas, int scale, PixelRect area);

// The client area's size in device pixels.
PixelSize clientPixels(const FormLayout& layout, int scale);
// A rectangle in twips as device pixels, and where two pixel rectangles overlap.
PixelRect devicePixels(const Rect& rect, int scale);
PixelRect intersect(PixelRect a, PixelRect b);

}  // namespace rt
