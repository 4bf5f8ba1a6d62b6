// The two ways a scenario line can stop a script: a line that cannot be run (exit
// status 2) and an expectation that did not hold (exit status 1). Both carry their
// message as errorText makes it: the words of a script may be long or hold any byte.
#pragma once

#include "shell/values/bad_request.hpp"
#include "shell/values/error_text.hpp"

#include <stdexcept>
#include <string_view>

namespace shell {

// A line that cannot be run: an unknown name, a value of the wrong kind, an event for
// a screen that is not shown. The message says what is wrong, without the line. A
// BadRequest from the shared services (a path that names nothing) is one too.
class ScriptError : public BadRequest {
public:
    using BadRequest::BadRequest;
};

// An `expect` whose value differed. The message is the whole report.
class ExpectFailure : public std::runtime_error {
public:
    explicit ExpectFailure(std::string_view message) : std::runtime_error(errorText(message)) {}
};

}  // namespace shell
