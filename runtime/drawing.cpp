#include "runtime/drawing.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace rt {

namespace {

// The platform's colours where the layouts leave them open.
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kButtonFace{240, 240, 240};
constexpr Font kPlainFont{nullptr, 8, false};

Rgb resolve(Color color, Rgb fallback) {
    switch (color.source) {
        case Color::Source::Default: return fallback;
        case Color::Source::Rgb:
            return {std::uint8_t(color.value >> 16), std::uint8_t(color.value >> 8), std::uint8_t(color.value)};
        case Color::Source::System: break;
    }
    if (color.value == 1) return {0, 128, 128};  // desktop
    if (color.value == 5) return kWhite;         // window background
    return kButtonFace;
}

// Geometry may be written far out of range (tools write any Single): a pixel
// position is held within this, far beyond any screen yet small enough that sums of
// a few never overflow an int.
constexpr Single kFarthestPixel = 1 << 24;

int pixels(Single twips, int scale) {
    const Single p = std::floor(twips * Single(scale) / kTwipsPerPixel);
    return int(std::clamp(p, -kFarthestPixel, kFarthestPixel));
}

bool empty(PixelRect r) { return r.w <= 0 || r.h <= 0; }

PixelRect wholeClient(const FormLayout& layout, int scale) {
    return devicePixels({0, 0, layout.clientWidth, layout.clientHeight}, scale);
}

PixelRect inset(PixelRect r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }

// 96 dots per inch: 9.75 pt is 13 px.
FontSpec fontAt(const Font& font, int scale) {
    const Font& f = font.points > 0 ? font : kPlainFont;
    return {f.face, int(std::lround(f.points * 96 / 72)) * scale, f.bold};
}

class Painter {
public:
    Painter(const Form& form, Canvas& canvas, int scale, PixelRect area)
        : canvas_(canvas),
          scale_(scale),
          whole_(wholeClient(form.layout(), scale)),
          client_(intersect(area, whole_)) {}

    void background(const FormLayout& layout) {
        clip(client_);
        canvas_.fill(client_, resolve(layout.back, kButtonFace));
        if (layout.picture) naturalPicture(layout.picture, whole_);
    }

    void control(const Control& c) {
        const PixelRect box = devicePixels(c.rect(), scale_);
        if (empty(intersect(box, client_))) return;  // an empty clip would clip nothing
        switch (c.kind()) {
            case Kind::Shape: return shape(c.layout(), box);
            case Kind::Image: return image(c.layout(), box);
            case Kind::Label: return label(static_cast<const Label&>(c), box);
            case Kind::PictureBox: return pictureBox(static_cast<const PictureBox&>(c), box);
            case Kind::Timer: return;
        }
    }

private:
    void clip(PixelRect r) { canvas_.setClip(intersect(r, client_)); }

    // Borders lie inside the rectangle.
    void frame(PixelRect r, const Border& border) {
        const int t = border.pixels * scale_;
        const Rgb color = resolve(border.color, kBlack);
        canvas_.fill({r.x, r.y, r.w, t}, color);
        canvas_.fill({r.x, r.y + r.h - t, r.w, t}, color);
        canvas_.fill({r.x, r.y, t, r.h}, color);
        canvas_.fill({r.x + r.w - t, r.y, t, r.h}, color);
    }

    void shape(const ControlLayout& layout, PixelRect box) {
        clip(box);
        canvas_.fill(box, resolve(layout.back, kWhite));
        if (layout.border.pixels > 0) frame(box, layout.border);
    }

    // At one picture pixel per screen pixel from the top-left corner.
    void naturalPicture(const char* name, PixelRect at) {
        const auto size = canvas_.pictureSize(name);
        if (!size) return canvas_.picture(name, at);
        canvas_.picture(name, {at.x, at.y, size->w * scale_, size->h * scale_});
    }

    void image(const ControlLayout& layout, PixelRect box) {
        clip(box);
        if (layout.border.pixels > 0) frame(box, layout.border);
        const PixelRect inner = inset(box, layout.border.pixels * scale_);
        clip(inner);
        if (!layout.picture) return;
        if (layout.stretch)
            canvas_.picture(layout.picture, inner);
        else
            naturalPicture(layout.picture, inner);
    }

    void pictureBox(const PictureBox& box, PixelRect rect) {
        clip(rect);
        if (box.Picture()) naturalPicture(box.Picture(), rect);
        if (box.painted()) naturalPicture(box.painted(), rect);
    }

    void label(const Label& label, PixelRect box) {
        const ControlLayout& layout = label.layout();
        clip(box);
        if (layout.opaque) canvas_.fill(box, resolve(layout.back, kButtonFace));
        const FontSpec font = fontAt(layout.font, scale_);
        const Rgb color = resolve(layout.fore, kBlack);
        int y = box.y;
        for (const std::string& line : wrap(label.Caption(), font, box.w)) {
            const int width = canvas_.textWidth(line, font);
            const int x = layout.align == Align::Left    ? box.x
                          : layout.align == Align::Right ? box.x + box.w - width
                                                         : box.x + (box.w - width) / 2;
            canvas_.text(line, font, color, x, y);
            y += canvas_.lineHeight(font);
        }
    }

    // Breaks a caption at spaces into lines no wider than `width` where it can.
    std::vector<std::string> wrap(const std::string& caption, const FontSpec& font, int width) {
        std::vector<std::string> lines;
        std::string line;
        std::size_t start = 0;
        while (start <= caption.size()) {
            std::size_t end = caption.find(' ', start);
            if (end == std::string::npos) end = caption.size();
            const std::string word = caption.substr(start, end - start);
            const std::string longer = line.empty() ? word : line + ' ' + word;
            if (!line.empty() && canvas_.textWidth(longer, font) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
            start = end + 1;
        }
        if (!line.empty()) lines.push_back(line);
        return lines;
    }

    Canvas& canvas_;
    int scale_;
    PixelRect whole_;   // the client area
    PixelRect client_;  // the part of it being drawn
};

}  // namespace

PixelSize clientPixels(const FormLayout& layout, int scale) {
    return {pixels(layout.clientWidth, scale), pixels(layout.clientHeight, scale)};
}

PixelRect devicePixels(const Rect& r, int scale) {
    const int x = pixels(r.left, scale), y = pixels(r.top, scale);
    return {x, y, pixels(r.left + r.width, scale) - x, pixels(r.top + r.height, scale) - y};
}

PixelRect intersect(PixelRect a, PixelRect b) {
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w), bottom = std::min(a.y + a.h, b.y + b.h);
    return {x, y, std::max(0, right - x), std::max(0, bottom - y)};
}

void drawForm(const Form& form, Canvas& canvas, int scale) {
    drawForm(form, canvas, scale, wholeClient(form.layout(), scale));
}

void drawForm(const Form& form, Canvas& canvas, int scale, PixelRect area) {
    Painter painter(form, canvas, scale, area);
    painter.background(form.layout());
    const auto& controls = form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->Visible()) painter.control(**it);
}

}  // namespace rt
