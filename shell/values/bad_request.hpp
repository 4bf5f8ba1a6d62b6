// A request from outside the game that names nothing or gives a value of the wrong
// kind: a script line, the page's console hook. The message says what is wrong, as
// errorText makes it (such requests may be long or hold any byte).
#pragma once

#include "shell/values/error_text.hpp"

#include <stdexcept>
#include <string_view>

namespace shell {

class BadRequest : public std::runtime_error {
public:
    explicit BadRequest(std::string_view message) : std::runtime_error(errorText(message)) {}
};

}  // namespace shell
