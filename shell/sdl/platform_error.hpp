// Failures of SDL, reported as failures of the platform.
#pragma once

#include "shell/platform_error.hpp"

#include <string_view>

namespace shell {

// Throws a PlatformError saying what failed and SDL's own reason.
[[noreturn]] void failSdl(std::string_view what);

}  // namespace shell
