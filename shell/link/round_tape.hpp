// Rounds and their links, for the command line and the page: the link of a script that
// plays a round, and the script a link plays.
#pragma once

#include "shell/link/link_text.hpp"
#include "shell/link/source_play.hpp"
#include "shell/link/tape.hpp"
#include "shell/link/tape_script.hpp"

#include <iosfwd>
#include <string>
#include <string_view>

namespace shell {

// The screens of this build's rules, by number as tapes name them.
ScreenNames gameScreens();
TapeRules gameTapeRules();

// The tape of a script that plays from the program's start (a recording, a kept round,
// a scenario of player actions), left with only what its replay needs. Throws
// TapeRefused with one line for a script a link cannot hold (see playSource).
Tape roundTape(std::istream& script, std::string_view source);

// The link on `site` to the round the script plays. Throws TapeRefused or LinkError.
std::string roundLink(std::istream& script, std::string_view source, std::string_view site);

// The script a link plays. Throws LinkError.
std::string scriptOfLink(std::string_view link);

}  // namespace shell
