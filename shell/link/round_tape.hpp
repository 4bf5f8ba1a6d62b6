// The tape of a round: a script that plays from the program's start (a recording, a
// kept round, a scenario of player actions), left with only what its replay needs.
#pragma once

#include "shell/link/source_play.hpp"
#include "shell/link/tape.hpp"
#include "shell/link/tape_script.hpp"

#include <iosfwd>
#include <string_view>

namespace shell {

// The screens of this build's rules, by number as tapes name them.
ScreenNames gameScreens();

// Throws TapeRefused with one line for a script a link cannot hold (see playSource).
Tape roundTape(std::istream& script, std::string_view source);

}  // namespace shell
