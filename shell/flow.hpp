// The game's screens and the moves between them.
#pragma once

#include "runtime/app.hpp"

#include <cstdint>

namespace shell {

// Defines the eight screens in `app`, with the handlers of their buttons.
void defineScreens(rt::App& app);

// The screen the program opens on.
constexpr const char* kFirstScreen = "Form1";

// Defines the screens and opens the first one on a fixed seed, as a scripted start does.
void startOnSeed(rt::App& app, std::uint32_t seed);

}  // namespace shell
