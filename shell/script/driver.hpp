// The scenario driver: plays a script of player actions and checks against a program
// that is already started, on the virtual clock. Of the seam it implements input (the
// script's lines, straight to the app), the input box (the script's answers) and the
// wake-up (the virtual clock moves only on `wait` and `catchup`); it draws nothing but
// a `shot`, through the ShotWriter its caller hands it.
#pragma once

#include "runtime/app.hpp"
#include "shell/backend.hpp"

#include <iosfwd>
#include <string>
#include <string_view>

namespace shell {

// Runs the script's lines in order. Returns 0 when every line ran and every `expect`
// held, 1 at the first `expect` that did not hold, 2 at the first line that cannot be
// run (a line longer than kLongestLine among them); the script stops at either, with
// one message on `err` naming the line. A script that cannot be read to its end stops
// with 2 and one line naming `source` and the reason, after the lines read before.
// `print` and `dump` write to `out`; without a `shot` writer, `shot` is a line that
// cannot be run. While playing, the app's input boxes are answered
// from the script; the app reports its own errors to `err` from now on.
int playScript(rt::App& app, std::istream& script, std::ostream& out, std::ostream& err,
               const ShotWriter& shot = {}, std::string_view source = "the script");

}  // namespace shell
