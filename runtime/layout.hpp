// The shape of a screen's layout: what a form and each of its controls look like
// when the form is loaded. Layouts are constant data (see screens/); the runtime
// applies one to a form on every load.
#pragma once

#include <cstdint>
#include <span>

namespace rt {

using Single = float;

// Positions and sizes in twips, from the top-left corner of the client area.
struct Rect {
    Single left = 0, top = 0, width = 0, height = 0;
};

// A colour as the layouts give it: not set, an RGB value, or a system colour index.
struct Color {
    enum class Source : std::uint8_t { Default, Rgb, System };
    Source source = Source::Default;
    std::uint32_t value = 0;  // 0xRRGGBB, or the system colour index

    friend constexpr bool operator==(Color, Color) = default;
};
constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {Color::Source::Rgb, std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b};
}
constexpr Color systemColor(std::uint32_t index) { return {Color::Source::System, index}; }

// A label font; a null face is the platform's default font.
struct Font {
    const char* face = nullptr;
    Single points = 0;
    bool bold = false;
};

struct Border {
    int pixels = 0;  // 0: no border
    Color color{};
};

enum class Kind : std::uint8_t { Image, Label, PictureBox, Shape, Timer };
enum class Align : std::uint8_t { Left, Right, Center };

constexpr int kNoIndex = -1;

// One control of a layout. Which fields apply depends on the kind.
struct ControlLayout {
    Kind kind = Kind::Image;
    const char* name = "";
    int index = kNoIndex;  // element of a control array, or kNoIndex
    Rect rect{};
    bool visible = true;
    // images and picture boxes
    const char* picture = nullptr;
    bool stretch = false;
    // labels
    const char* caption = "";
    Font font{};
    Color fore{};
    bool opaque = false;  // labels: back style
    Color back{};         // labels: back colour; shapes: fill colour
    Align align = Align::Left;
    // shapes, and images with a border
    Border border{};
    // timers
    int interval = 0;
    bool enabled = true;
};

enum class WindowStyle : std::uint8_t { FixedDialog, Borderless };

struct FormLayout {
    const char* name = "";
    const char* caption = "";
    WindowStyle style = WindowStyle::FixedDialog;
    Single clientWidth = 0, clientHeight = 0;
    const char* icon = nullptr;     // window icon
    const char* pointer = nullptr;  // custom mouse pointer
    Color back{};                   // the form's own background colour
    const char* picture = nullptr;  // the form's own background picture
    // Controls front to back; timers, which are never drawn, in their table order
    // (the order in which ticks due at the same moment run).
    std::span<const ControlLayout> controls{};
};

}  // namespace rt
