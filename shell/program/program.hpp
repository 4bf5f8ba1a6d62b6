// The desktop program: the command line, with windows and screenshots drawn by SDL.
// Each system's entry point hands it the arguments after the program's name, as UTF-8.
#pragma once

#include <span>
#include <string_view>

namespace shell {

int runProgram(std::span<const std::string_view> args);

}  // namespace shell
