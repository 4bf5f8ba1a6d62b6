// What a backend redraws and presents after a change: the areas Damage gives, in
// pixels of the client area (15 twips a pixel at scale 1).
#include "runtime/app.hpp"
#include "runtime/damage.hpp"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

using rt::Kind;
using Areas = std::vector<rt::PixelRect>;

// Ten cells of 10 by 10 pixels in a row, 20 pixels apart; the second lies lower, at the
// far right.
constexpr rt::ControlLayout cell(int i) {
    const rt::Rect rect = i == 1 ? rt::Rect{3150, 900, 150, 150} : rt::Rect{rt::Single(150 + 300 * i), 150, 150, 150};
    return {.kind = Kind::Image, .name = "cell", .index = i, .rect = rect, .picture = "pig"};
}

constexpr std::array kControls = {
    cell(0), cell(1), cell(2), cell(3), cell(4), cell(5), cell(6), cell(7), cell(8), cell(9),
    rt::ControlLayout{.kind = Kind::PictureBox, .name = "box", .rect = {0, 1500, 600, 600}},
    rt::ControlLayout{.kind = Kind::Image, .name = "shown", .rect = {2100, 1500, 150, 150}, .visible = false, .picture = "pig"},
    // A pixel inside the client area's right and bottom edges, and just past them.
    rt::ControlLayout{.kind = Kind::Image, .name = "right", .rect = {3585, 1500, 300, 150}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "bottom", .rect = {2700, 2385, 150, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "beyond", .rect = {3600, 1500, 300, 150}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "below", .rect = {2700, 2400, 150, 150}, .picture = "pig"},
    // The same place twice, then wider and taller from the same corner.
    rt::ControlLayout{.kind = Kind::Image, .name = "twin", .rect = {1500, 1500, 300, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "twin2", .rect = {1500, 1500, 300, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "wide", .rect = {1500, 1500, 450, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "tall", .rect = {1500, 1500, 300, 450}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Timer, .name = "tick", .interval = 10},
    rt::ControlLayout{.kind = Kind::Label, .name = "score", .rect = {2250, 600, 600, 150}, .caption = "0"},
};
constexpr rt::FormLayout kLayout = {.name = "Test", .clientWidth = 3600, .clientHeight = 2400, .controls = kControls};

class Damage : public ::testing::Test {
protected:
    Damage() { damage.since(form, 1); }
    static rt::Form& loaded(rt::App& app) {
        app.define("Test", [](rt::App& a) { return std::make_unique<rt::Form>(a, kLayout); });
        rt::Form& form = app.form("Test");
        form.Load();
        return form;
    }
    void hide(const char* name, int index = rt::kNoIndex) { form.control(name, index).setVisible(false); }

    rt::App app;
    rt::Form& form = loaded(app);
    rt::Damage damage;
};

TEST_F(Damage, TheFirstFrameAndTheFirstOnceForgottenAreTheWholeClientArea) {
    EXPECT_EQ(damage.since(form, 1), Areas{});
    damage.forget();  // the window was uncovered: nothing changed, all of it is drawn again
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 0, 240, 160}}));
    EXPECT_EQ(damage.since(form, 1), Areas{});
    rt::Damage twice;
    EXPECT_EQ(twice.since(form, 2), (Areas{{0, 0, 480, 320}}));
    hide("cell", 2);
    EXPECT_EQ(twice.since(form, 2), (Areas{{100, 20, 20, 20}}));
}

TEST_F(Damage, EightAreasStayApartAndANinthJoinsThemInOne) {
    for (int i = 0; i < 8; ++i) hide("cell", i);
    EXPECT_EQ(damage.since(form, 1), (Areas{{10, 10, 10, 10},
                                            {210, 60, 10, 10},
                                            {50, 10, 10, 10},
                                            {70, 10, 10, 10},
                                            {90, 10, 10, 10},
                                            {110, 10, 10, 10},
                                            {130, 10, 10, 10},
                                            {150, 10, 10, 10}}));
    for (int i = 0; i < 9; ++i) form.control("cell", i).setVisible(i == 8 ? false : true);
    EXPECT_EQ(damage.since(form, 1), (Areas{{10, 10, 210, 60}}));
}

TEST_F(Damage, WhatShowsDamagesItsRectangleWithinTheClientArea) {
    form.control("shown").setVisible(true);
    EXPECT_EQ(damage.since(form, 1), (Areas{{140, 100, 10, 10}}));
    form.pictureBox("box").PaintPicture("pig");
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 100, 40, 40}}));
    hide("right");
    hide("bottom");
    EXPECT_EQ(damage.since(form, 1), (Areas{{239, 100, 1, 10}, {180, 159, 10, 1}}));
    hide("beyond");
    hide("below");
    EXPECT_EQ(damage.since(form, 1), Areas{});
    form.control("cell", 3).set("Top", rt::Single(450));  // moved clear of where it was
    EXPECT_EQ(damage.since(form, 1), (Areas{{70, 10, 10, 10}, {70, 30, 10, 10}}));
}

// The score and the clock are labels: a new caption alone must be redrawn.
TEST_F(Damage, ANewCaptionDamagesItsLabel) {
    form.label("score").setCaption("1");
    EXPECT_EQ(damage.since(form, 1), (Areas{{150, 40, 40, 10}}));
    form.label("score").setCaption("1");
    EXPECT_EQ(damage.since(form, 1), Areas{});
}

TEST_F(Damage, AnAreaInsideOneListedAlreadyIsNotListedAgain) {
    for (const char* name : {"twin", "twin2", "wide", "tall"}) hide(name);
    EXPECT_EQ(damage.since(form, 1), (Areas{{100, 100, 20, 20}, {100, 100, 30, 20}, {100, 100, 20, 30}}));
}

}  // namespace
