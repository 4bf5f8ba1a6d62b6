#include "shell/command_line.hpp"
#include "shell/sdl/desktop.hpp"
#include "shell/sdl/screenshot.hpp"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    // Standard input read through its own buffer, not the C library's: only then does
    // a read error show as one rather than as the end of the script.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return shell::runCommandLine(args, std::cin, std::cout, std::cerr, {shell::playInWindows, shell::saveScreenshot});
}
