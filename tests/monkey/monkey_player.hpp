// A random player: one scenario line at a time, only what a player could do on the
// screens shown now (clicks of either button, moves, keys, code box answers, close
// boxes, waits), with an eye for the targets that are up, as a player has.
#pragma once

#include "runtime/app.hpp"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace monkey {

class Player {
public:
    // Half the players are sharp: they shoot the pigs that pop up and keep the gun
    // loaded; some of those cheat with the codes to play on.
    Player(rt::App& app, std::uint32_t seed)
        : app_(app), rng_(seed), sharp_(chance(0.5)), cheater_(sharp_ && chance(0.3)) {}

    // The next line of the session; the program must be running.
    std::string nextLine();

    // What the lines so far make the program do, for the session's checks.
    rt::Millis waited() const { return waited_; }
    // True once: the last line opened the code box with no answer waiting, which the
    // driver notes on standard error.
    bool noteExpected() { return std::exchange(noteExpected_, false); }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class List>
    const auto& oneOf(const List& list) { return list[std::size_t(pick(0, int(std::size(list)) - 1))]; }

    std::optional<std::string> sharpMove();
    std::string wait();
    std::string waitUpTo(int most);
    std::string click();
    std::string move();
    std::string key();
    std::string answer();
    std::string press(const std::string& name);
    std::string answerWith(std::string_view code);
    std::string cheat();
    int score(rt::Form& game);
    std::string close();

    rt::Form& someShownScreen();
    // A point of the screen, in whole twips: often on a control, else anywhere.
    std::string somePoint(rt::Form& form);
    std::string pointIn(rt::Form& form, const rt::Rect& r);
    const rt::Control* someTargetUp(rt::Form& form);
    const rt::Control* pigToShoot(rt::Form& game);
    bool gameScreenTakesInput() const;

    rt::App& app_;
    std::mt19937 rng_;
    bool sharp_, cheater_;
    unsigned cheatStep_ = 0;
    rt::Millis lastCheat_ = 0;
    rt::Millis waited_ = 0;
    int answersWaiting_ = 0;
    bool noteExpected_ = false;
    rt::Millis fastPigSince_ = 0;  // when the sharp player last saw the fast hole empty
};

}  // namespace monkey
