// Starting the game, the same way for every backend and for the scenario driver.
#pragma once

#include "runtime/app.hpp"

#include <cstdint>
#include <optional>

namespace shell {

// Makes `app` the game: its screens defined and, where `seed` is given, the random
// sequence fixed to it (at start and at every later seeding from the clock).
void setUpGame(rt::App& app, std::optional<std::uint32_t> seed = std::nullopt);

// Opens the first screen; the current time becomes the game's time 0.
void openGame(rt::App& app);

// Both at once on a fixed seed, as a scripted start does (tests, the fuzzer).
void startOnSeed(rt::App& app, std::uint32_t seed);

}  // namespace shell
