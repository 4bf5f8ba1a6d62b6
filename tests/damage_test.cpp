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

// Ten cells of 10 by 10 pixels along the top, 20 pixels apart; the second hangs lower.
constexpr rt::ControlLayout cell(short i) {
    return {.kind = Kind::Image, .name = "cell", .index = i, .rect = {rt::Single(300 * i), i == 1 ? 900.0f : 0.0f, 150, 150}, .picture = "pig"};
}

constexpr std::array kControls = {
    cell(0), cell(1), cell(2), cell(3), cell(4), cell(5), cell(6), cell(7), cell(8), cell(9),
    rt::ControlLayout{.kind = Kind::PictureBox, .name = "box", .rect = {0, 1500, 600, 600}},
    rt::ControlLayout{.kind = Kind::Image, .name = "shown", .rect = {2100, 1500, 150, 150}, .visible = false, .picture = "pig"},
    // Half out of the client area, and just past its right edge.
    rt::ControlLayout{.kind = Kind::Image, .name = "edge", .rect = {3450, 1500, 300, 150}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "beyond", .rect = {3600, 1500, 300, 150}, .picture = "pig"},
    // The same place twice, then wider and taller from the same corner.
    rt::ControlLayout{.kind = Kind::Image, .name = "twin", .rect = {1500, 1500, 300, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "twin2", .rect = {1500, 1500, 300, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "wide", .rect = {1500, 1500, 450, 300}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Image, .name = "tall", .rect = {1500, 1500, 300, 450}, .picture = "pig"},
    rt::ControlLayout{.kind = Kind::Timer, .name = "tick", .interval = 10},
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
    EXPECT_EQ(twice.since(form, 2), (Areas{{80, 0, 20, 20}}));
}

TEST_F(Damage, EightAreasStayApartAndANinthJoinsThemInOne) {
    for (int i = 0; i < 8; ++i) hide("cell", i);
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 0, 10, 10},
                                            {20, 60, 10, 10},
                                            {40, 0, 10, 10},
                                            {60, 0, 10, 10},
                                            {80, 0, 10, 10},
                                            {100, 0, 10, 10},
                                            {120, 0, 10, 10},
                                            {140, 0, 10, 10}}));
    for (int i = 0; i < 9; ++i) form.control("cell", i).setVisible(i >= 8 ? false : true);
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 0, 170, 70}}));
}

TEST_F(Damage, WhatShowsDamagesItsRectangleWithinTheClientArea) {
    form.control("shown").setVisible(true);
    EXPECT_EQ(damage.since(form, 1), (Areas{{140, 100, 10, 10}}));
    form.pictureBox("box").PaintPicture("pig");
    EXPECT_EQ(damage.since(form, 1), (Areas{{0, 100, 40, 40}}));
    hide("edge");
    EXPECT_EQ(damage.since(form, 1), (Areas{{230, 100, 10, 10}}));
    hide("beyond");
    EXPECT_EQ(damage.since(form, 1), Areas{});
    form.control("cell", 3).set("Top", rt::Single(300));  // moved clear of where it was
    EXPECT_EQ(damage.since(form, 1), (Areas{{60, 0, 10, 10}, {60, 20, 10, 10}}));
}

TEST_F(Damage, AnAreaInsideOneListedAlreadyIsNotListedAgain) {
    for (const char* name : {"twin", "twin2", "wide", "tall"}) hide(name);
    EXPECT_EQ(damage.since(form, 1), (Areas{{100, 100, 20, 20}, {100, 100, 30, 20}, {100, 100, 20, 30}}));
}

}  // namespace
