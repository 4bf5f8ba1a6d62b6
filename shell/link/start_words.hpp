// What a round starts from, as a tape carries it: the values of its `round` line in
// order, each screen by its number, the lists by their length. The words go into the
// tape as they are; they are read back into a `round` line, which the scenario
// driver's own `round` command then checks and plays, as it does a kept round's.
//   time, roll, phase, "code", shown: count and screens, active screen,
//   hidden: count and screens, pressed: screen and "control"
#pragma once

#include "shell/link/tape.hpp"
#include "shell/link/tape_script.hpp"
#include "shell/script/round_start.hpp"

#include <vector>

namespace shell {

// The words of `start`; its screens must be among `screens`.
std::vector<StartWord> startWords(const RoundStart& start, const ScreenNames& screens);

// The start the words say; throws LinkError, naming what is wrong, for words that are
// not laid out as startWords lays them out or that name no screen of `screens`.
RoundStart startOfWords(const std::vector<StartWord>& words, const ScreenNames& screens);

}  // namespace shell
