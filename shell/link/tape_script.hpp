// A tape as the scenario script that plays it: the seed, the start, then each step's
// line after a `wait` to its moment, and a last `wait` to the end of the round.
#pragma once

#include "shell/link/tape.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The screens by number, as the tape names them: those of the tape's rules.
using ScreenNames = std::vector<std::string>;

// The script line of one step (without the `wait` before it). The screen must be one of
// `screens`; an answer's text holds no line break (unpackTape sees to both).
std::string stepLine(const Step& step, const ScreenNames& screens);

// The `round` line of a start (see start_words.hpp), or empty text for the program's
// own start. Throws LinkError for words that are no start.
std::string startLine(const std::vector<StartWord>& start, const ScreenNames& screens);

// The whole script, one line per string.
std::vector<std::string> scriptLines(const Tape& tape, const ScreenNames& screens);

}  // namespace shell
