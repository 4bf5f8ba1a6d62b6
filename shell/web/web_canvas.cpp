#include "shell/web/web_canvas.hpp"

#include "shell/web/browser.hpp"

#include <string>

namespace shell {

namespace {
const char* faceOf(const rt::FontSpec& font) { return font.face ? font.face : ""; }
}  // namespace

WebCanvas::WebCanvas(const char* form, rt::PixelRect area) { kraxBeginDraw(form, area.x, area.y, area.w, area.h); }

WebCanvas::~WebCanvas() { kraxEndDraw(); }

void WebCanvas::setClip(rt::PixelRect clip) { kraxClip(clip.x, clip.y, clip.w, clip.h); }

void WebCanvas::fill(rt::PixelRect rect, rt::Rgb color) {
    kraxFill(rect.x, rect.y, rect.w, rect.h, color.r, color.g, color.b);
}

void WebCanvas::picture(const char* name, rt::PixelRect dest) { kraxPicture(name, dest.x, dest.y, dest.w, dest.h); }

std::optional<rt::PixelSize> WebCanvas::pictureSize(const char* name) {
    const int width = kraxPictureWidth(name);
    if (width < 0) return std::nullopt;
    return rt::PixelSize{width, kraxPictureHeight(name)};
}

int WebCanvas::textWidth(std::string_view text, const rt::FontSpec& font) {
    return kraxTextWidth(std::string(text).c_str(), faceOf(font), font.pixels, font.bold);
}

int WebCanvas::lineHeight(const rt::FontSpec& font) { return kraxLineHeight(faceOf(font), font.pixels, font.bold); }

void WebCanvas::text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) {
    kraxText(std::string(text).c_str(), faceOf(font), font.pixels, font.bold, color.r, color.g, color.b, x, y);
}

}  // namespace shell
