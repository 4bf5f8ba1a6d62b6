// A whole program on the virtual clock, for tests of the game's rules: the eight
// screens, the menu shown at time 0, and an input box that answers from a queue.
#pragma once

#include "game/game_screen.hpp"
#include "runtime/app.hpp"
#include "shell/game_start.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <sstream>
#include <string>

class Game : public ::testing::Test {
protected:
    struct Answers : rt::InputBoxHost {
        std::optional<std::string> ask(std::string_view, std::string_view) override {
            if (queue.empty()) return std::nullopt;
            auto answer = queue.front();
            queue.pop_front();
            return answer;
        }
        std::deque<std::optional<std::string>> queue;
    };

    explicit Game(std::uint32_t seed = 1) {
        useTimerMode(app);
        app.setErrorStream(errors);
        app.setInputBoxHost(&answers);
        app.fixSeed(seed);
        shell::setUpGame(app);
        shell::openGame(app);
    }

    game::Form2& form2() { return static_cast<game::Form2&>(app.form("Form2")); }
    rt::Control& at(const char* name, int index = rt::kNoIndex) { return form2().control(name, index); }
    rt::Timer& timer(const char* name) { return form2().timer(name); }
    rt::Label& label(const char* name) { return form2().label(name); }

    void wait(rt::Millis ms) { app.advanceTo(app.now() + ms); }
    // A whole click at a point, as the window system gives it: the window comes to
    // the front first if it is not the active one. A disabled window takes neither.
    void clickAt(rt::Form& form, rt::Single x, rt::Single y, int button = rt::kLeftButton) {
        if (form.Enabled() && app.ActiveForm() != &form) app.activate(form);
        app.mouseDown(form, x, y, button, 0);
        app.mouseUp(form, x, y, button, 0);
    }
    void click(const char* screen, const char* control, int index = rt::kNoIndex, int button = rt::kLeftButton) {
        rt::Form& form = app.form(screen);
        const rt::Rect& r = form.control(control, index).rect();
        clickAt(form, r.left + r.width / 2, r.top + r.height / 2, button);
    }
    // A point of bare ground on the game screen, left of the tractor.
    void clickGround(int button = rt::kLeftButton) { clickAt(form2(), 3000, 7800, button); }
    void key(int keyCode, int ascii = 0) {
        if (ascii) app.keyPress(ascii);
        app.keyUp(keyCode, 0);
    }
    void set(rt::Control& control, bool visible) {
        app.apply([&] { control.setVisible(visible); });
    }

    // Menu, START: a fresh round.
    void startRound() { click("Form1", "Image5"); }
    // Stops the rolls, so that only the test puts targets up.
    void stopRolls() { timer("tmrAppear").setEnabled(false); }

    static constexpr int kUp = 38;

    std::ostringstream errors;
    Answers answers;
    rt::App app;
};
