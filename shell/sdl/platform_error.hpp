// A failure of the platform (no display, a library that will not start): the
// program prints its reason on one line and exits with status 1.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace shell {

class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws a PlatformError saying what failed and SDL's own reason.
[[noreturn]] void failSdl(std::string_view what);

}  // namespace shell
