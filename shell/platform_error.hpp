// A failure of the platform (no display, a library that will not start, a file that
// cannot be written): the program prints its reason on one line and exits non-zero
// (1 when the windows cannot open; a scenario line whose `shot` cannot be written is a
// line that cannot be run, 2).
#pragma once

#include <stdexcept>

namespace shell {

class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace shell
