// The runtime's canvas over a window's <canvas> element in the page.
#pragma once

#include "runtime/canvas.hpp"

namespace shell {

// Draws on the canvas of `form`'s window from construction to destruction, changing
// no pixel outside `area`.
class WebCanvas : public rt::Canvas {
public:
    WebCanvas(const char* form, rt::PixelRect area);
    ~WebCanvas() override;
    WebCanvas(const WebCanvas&) = delete;
    WebCanvas& operator=(const WebCanvas&) = delete;

    void setClip(rt::PixelRect clip) override;
    void fill(rt::PixelRect rect, rt::Rgb color) override;
    void picture(const char* name, rt::PixelRect dest) override;
    std::optional<rt::PixelSize> pictureSize(const char* name) override;
    int textWidth(std::string_view text, const rt::FontSpec& font) override;
    int lineHeight(const rt::FontSpec& font) override;
    void text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) override;
};

}  // namespace shell
