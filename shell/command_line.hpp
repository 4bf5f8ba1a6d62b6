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
//   [--scale N] [--seed N] [--record FILE]  plays in windows, writing the session to
//                                           FILE as a script if asked
//   --every-tick                            with either: every timer tick runs, also
//                                           of timers with nothing to do
//   --help                                  usage on `out`
//   --version                               "krax VERSION" on `out`
// Returns the exit status: the script's (see playScript), 0 for --help, --version or a
// game that ended, 1 without --headless when the windows cannot open (or `backends`
// has none), 2 for bad arguments, an unreadable script file or a recording file that
// cannot be written, each with one line on `err`.
int runCommandLine(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err,
                   const Backends& backends);

}  // namespace shell
