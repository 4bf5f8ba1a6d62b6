// Starting the game, the same way for every backend and for the scenario driver.
#pragma once

#include "runtime/app.hpp"

#include <cstdint>
#include <optional>
#include <string_view>

namespace shell {

// Makes `app` the game: its screens defined and, where `seed` is given, the random
// sequence fixed to it (at start and at every later seeding from the clock).
void setUpGame(rt::App& app, std::optional<std::uint32_t> seed = std::nullopt);

// Opens the first screen; the current time becomes the game's time 0.
void openGame(rt::App& app);

// Both at once on a fixed seed, as a scripted start does (tests, the fuzzer).
void startOnSeed(rt::App& app, std::uint32_t seed);

// The screens around a round, for stating what the last one left. A round begins when
// the game screen loads, and only a click on a button that leads to it loads it.
std::string_view gameScreen();
std::string_view firstScreen();
// The name of the button of `screen` that leads to the game screen; empty for none.
std::string_view buttonToGame(std::string_view screen);
// The first screen and the screens it leads to on the way to the game screen, which no
// button reaches again once a round has begun.
bool beforeAnyRound(std::string_view screen);

}  // namespace shell
