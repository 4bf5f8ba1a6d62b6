// The program's command line.
#pragma once

#include "shell/backend.hpp"

#include <iosfwd>
#include <span>
#include <string_view>

namespace shell {

// Runs the program for these arguments (without the program's own name):
//   --headless [--seed N] [--script FILE]   plays a scenario script (FILE, or `in`
//                                           for "-" or no --script) on `out` and `err`
//   [--scale N] [--seed N] [--record FILE] [--keep-rounds N]
//                                           plays in windows, keeping every round (the
//                                           newest N and the 10 best stay) and writing
//                                           the session to FILE as a script if asked
//   --replay FILE [--speed N] [--scale N]   plays a script in windows at its own pace
//   --mute                                  with either: sound starts off
//   --every-tick                            with any of these: every timer tick runs,
//                                           also of timers with nothing to do
//   --rounds                                lists the kept rounds on `out`
//   --link FILE [--site URL]                prints the link to the round FILE plays
//   --help                                  usage on `out`
//   --version                               "krax VERSION" on `out`
// Wherever a FILE names a script, "last" or a kept round's number names that kept
// round, and a link to a round names the round it holds (a file of that name comes
// first). Returns the exit status: the script's (see playScript; a replay's is the
// same, and 2 for a line a replay cannot hold), 0 for --help, --version, --rounds, a
// link printed, a game that ended or a replay the player stopped, 1 without --headless
// when the windows cannot open (or `backends` has none) and for a round too long for a
// link, 2 for bad arguments, an unreadable script file, a round not kept, a link that
// cannot be played, a script no link can hold, a recording file that cannot be written
// or no folder for the kept rounds (--rounds), each with one line on `err`. Rounds that
// cannot be kept cost a line, not the game.
int runCommandLine(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err,
                   const Backends& backends);

}  // namespace shell
