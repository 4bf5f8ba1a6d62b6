// The runtime's canvas over a window's <canvas> element in the page.
#pragma once

#include "runtime/canvas.hpp"

namespace shell {

// Draws on the canvas of `form`'s window from construction to destruction.
class WebCanvas : public rt::Canvas {
public:
    explicit WebCanvas(const char* form);
    ~WebCanvas() override;

    // Drawn by the page's 2D context; pictures are the SVG sources the page loaded
    // before the first frame, scaled by the browser, so they stay sharp at any density.
    void setClip(rt::PixelRect clip) override;
    void fill(rt::PixelRect rect, rt::Rgb color) override;
    void picture(const char* name, rt::PixelRect dest) override;
    void text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) override;

    // Measured by the page as it will draw: the SVG's own size, the web font's metrics.
    std::optional<rt::PixelSize> pictureSize(const char* name) override;
    int textWidth(std::string_view text, const rt::FontSpec& font) override;
    int lineHeight(const rt::FontSpec& font) override;
};

}  // namespace shell
