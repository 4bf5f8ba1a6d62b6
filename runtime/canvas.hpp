// What drawing a form needs of a backend: rectangles, pictures and text, in device
// pixels. The desktop backend provides one for windows and one for screenshots, the
// web backend one for a page's canvas.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rt {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

struct PixelSize {
    int w = 0, h = 0;
};

// A font at a size in device pixels; a null face is the plain sans-serif.
struct FontSpec {
    const char* face = nullptr;
    int pixels = 0;
    bool bold = false;
};

// A drawing session on one surface; never copied.
class Canvas {
public:
    Canvas() = default;
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Everything drawn after this stays inside `clip`.
    virtual void setClip(PixelRect clip) = 0;
    virtual void fill(PixelRect rect, Rgb color) = 0;
    // The named picture scaled to `dest`.
    virtual void picture(const char* name, PixelRect dest) = 0;
    // A picture's own size, one pixel per 15 twips; nullopt for an unknown name.
    virtual std::optional<PixelSize> pictureSize(const char* name) = 0;
    virtual int textWidth(std::string_view text, const FontSpec& font) = 0;
    virtual int lineHeight(const FontSpec& font) = 0;
    // One line of text with its top-left corner at x, y.
    virtual void text(std::string_view text, const FontSpec& font, Rgb color, int x, int y) = 0;
};

}  // namespace rt
