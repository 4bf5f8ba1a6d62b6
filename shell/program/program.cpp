#include "shell/program/program.hpp"

#include "shell/program/command_line.hpp"
#include "shell/sdl/desktop.hpp"
#include "shell/sdl/screenshot.hpp"

#include <iostream>

namespace shell {

int runProgram(std::span<const std::string_view> args) {
    // Standard input read through its own buffer, not the C library's: only then does
    // a read error show as one rather than as the end of the script.
    std::ios::sync_with_stdio(false);
    return runCommandLine(args, std::cin, std::cout, std::cerr, {playInWindows, saveScreenshot});
}

}  // namespace shell
