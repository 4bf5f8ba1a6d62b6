// The game's screens and the moves between them.
#pragma once

#include "runtime/app.hpp"

namespace shell {

// Defines the eight screens in `app`, with the handlers of their buttons.
void defineScreens(rt::App& app);

// The screen the program opens on.
constexpr const char* kFirstScreen = "Form1";

}  // namespace shell
