// A failure of the platform (no display, a library that will not start, a file that
// cannot be written): the program prints its reason on one line and exits with status 1.
#pragma once

#include <stdexcept>

namespace shell {

class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace shell
