// The two ways a scenario line can stop a script: a line that cannot be run (exit
// status 2) and an expectation that did not hold (exit status 1).
#pragma once

#include <stdexcept>

namespace shell {

// A line that cannot be run: an unknown name, a value of the wrong kind, an event for
// a screen that is not shown. The message says what is wrong, without the line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An `expect` whose value differed. The message is the whole report.
class ExpectFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace shell
