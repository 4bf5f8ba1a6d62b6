// Drawing a form: what is drawn, in which order, where and how large.
#include "runtime/app.hpp"
#include "runtime/damage.hpp"
#include "runtime/drawing.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using rt::Kind;

// Writes down every call; text is 10 px a character, lines 20 px high.
class Recorder : public rt::Canvas {
public:
    void setClip(rt::PixelRect c) override { clip = c; }
    void fill(rt::PixelRect r, rt::Rgb c) override { log.push_back("fill " + rect(r) + " " + std::to_string(c.r)); }
    void picture(const char* name, rt::PixelRect r) override {
        log.push_back(std::string("picture ") + name + " " + rect(r) + " in " + rect(clip));
    }
    std::optional<rt::PixelSize> pictureSize(const char*) override { return rt::PixelSize{40, 30}; }
    int textWidth(std::string_view text, const rt::FontSpec&) override { return 10 * int(text.size()); }
    int lineHeight(const rt::FontSpec&) override { return 20; }
    void text(std::string_view text, const rt::FontSpec& font, rt::Rgb, int x, int y) override {
        log.push_back("text " + std::string(text) + " at " + std::to_string(x) + "," + std::to_string(y) + " " +
                      std::to_string(font.pixels) + "px");
    }
    static std::string rect(rt::PixelRect r) {
        return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
    }

    rt::PixelRect clip{};
    std::vector<std::string> log;
};

constexpr rt::ControlLayout kControls[] = {
    {.kind = Kind::Label, .name = "words", .rect = {150, 150, 1200, 600}, .caption = "one two three",
     .font = {"Face", 9.75f, true}, .align = rt::Align::Right},
    {.kind = Kind::Image, .name = "hidden", .rect = {0, 0, 150, 150}, .visible = false, .picture = "nope"},
    {.kind = Kind::Image, .name = "big", .rect = {3000, -150, 1500, 1500}, .picture = "pig"},
    {.kind = Kind::Image, .name = "small", .rect = {0, 0, 300, 150}, .picture = "pig", .stretch = true},
    {.kind = Kind::Shape, .name = "ground", .rect = {0, 1500, 4500, 1500}, .back = rt::rgb(9, 0, 0)},
    {.kind = Kind::Timer, .name = "tick", .interval = 10},
};
constexpr rt::FormLayout kLayout = {
    .name = "Test", .clientWidth = 3600, .clientHeight = 2400, .back = rt::rgb(7, 0, 0), .controls = kControls};

// The test form, loaded, its controls' properties `set`, drawn at `scale`.
std::vector<std::string> drawn(int scale, std::initializer_list<std::pair<const char*, float>> set = {}) {
    rt::App app;
    app.define("Test", [](rt::App& a) { return std::make_unique<rt::Form>(a, kLayout); });
    rt::Form& form = app.form("Test");
    form.Load();
    for (const auto& [property, value] : set) form.control("ground").set(property, rt::Single(value));
    Recorder canvas;
    rt::drawForm(form, canvas, scale);
    return canvas.log;
}

TEST(Drawing, BackToFrontClippedAtTheClientArea) {
    const std::vector<std::string> log = drawn(1);
    EXPECT_EQ(log, (std::vector<std::string>{
                              "fill 0,0 240x160 7",                          // the form's own colour
                              "fill 0,100 300x100 9",                        // the shape, hanging out below
                              "picture pig 0,0 20x10 in 0,0 20x10",          // stretched to its control
                              "picture pig 200,-10 40x30 in 200,0 40x90",    // natural size, clipped
                              "text one two at 20,10 13px",                  // wrapped, right-aligned
                              "text three at 40,30 13px",
                          }));
}

TEST(Drawing, TwiceAsDenseDoublesEverything) {
    const std::vector<std::string> log = drawn(2);
    EXPECT_EQ(log[3], "picture pig 400,-20 80x60 in 400,0 80x180");
    EXPECT_EQ(log[4], "text one two three at 50,20 26px");  // wider at 2x, so one line
    EXPECT_EQ(rt::clientPixels(kLayout, 2).w, 480);
}

TEST(Drawing, GeometryFarOutOfRangeStaysOnItsSideOfTheScreen) {
    // From far left to far beyond the right edge: the shape covers the whole width.
    const std::string fill = drawn(2, {{"Left", -1e9f}, {"Width", 3e38f}}).at(1);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(std::sscanf(fill.c_str(), "fill %d,%d %dx%d", &x, &y, &w, &h), 4) << fill;
    EXPECT_LE(x, 0);
    EXPECT_GE(x + w, 480);
    EXPECT_EQ(h, 200);

    // Far out on either side, the shape lies wholly outside: nothing of it is drawn.
    for (const float left : {3e38f, -3e38f}) {
        const std::vector<std::string> log = drawn(1, {{"Left", left}, {"Width", 3e38f}});
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.ends_with(" 9"); }), 0);
    }
}

// Only what changed is drawn again: the damaged areas, and in them only the controls
// that reach into them.
TEST(Drawing, DamageCoversWhatChangedAndOnlyThatIsDrawn) {
    rt::App app;
    app.define("Test", [](rt::App& a) { return std::make_unique<rt::Form>(a, kLayout); });
    rt::Form& form = app.form("Test");
    form.Load();
    rt::Damage damage;
    using Areas = std::vector<rt::PixelRect>;
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 0, 240, 160}}));  // the first frame is all of it
    EXPECT_EQ(damage.since(form, 1), Areas{});
    form.label("words").setCaption("one two three");  // the same text
    form.control("hidden").setVisible(false);         // hidden already
    EXPECT_EQ(damage.since(form, 1), Areas{});
    form.label("words").setCaption("four");
    form.control("small").setVisible(false);
    EXPECT_EQ(damage.since(form, 1), (Areas{{10, 10, 80, 40}, {0, 0, 20, 10}}));
    form.control("ground").set("Left", rt::Single(150));  // moved: where it was and where it is
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 100, 240, 60}}));  // the new place lies in the old

    Recorder canvas;
    rt::drawForm(form, canvas, 1, {10, 10, 80, 40});
    EXPECT_EQ(canvas.log, (std::vector<std::string>{"fill 10,10 80x40 7", "text four at 50,10 13px"}));
}

}  // namespace
