// The program's command line.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace shell {

// Runs the program for these arguments (without the program's own name):
//   --headless [--seed N] [--script FILE]   plays a scenario script (FILE, or `in`
//                                           for "-" or no --script) on `out` and `err`
//   --help                                  usage on `out`
// Returns the exit status: the script's (see playScript), 0 for --help, 1 without
// --headless (this build has no window backend), 2 for bad arguments or an unreadable
// script file, each with one line on `err`.
int runCommandLine(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace shell
