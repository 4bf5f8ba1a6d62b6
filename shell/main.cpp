#include "shell/command_line.hpp"
#include "shell/sdl/desktop.hpp"
#include "shell/sdl/screenshot.hpp"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return shell::runCommandLine(args, std::cin, std::cout, std::cerr, {shell::playInWindows, shell::saveScreenshot});
}
