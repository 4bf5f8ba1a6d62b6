// Running one line of a scenario.
#pragma once

#include "shell/script/script_session.hpp"

namespace shell {

// Runs the command of a non-blank line. Throws ScriptError for a line that cannot be
// run and ExpectFailure for an `expect` that did not hold.
void runCommand(Session& session, Words words);

// The moment MS milliseconds after the clock's time, from the MS word of a `wait` or a
// `catchup`; throws ScriptError for a word that is not such a number.
rt::Millis later(Session& session, const Word& word);

}  // namespace shell
