// krax without windows or pictures: scenario scripts only, for platforms with
// neither (the WebAssembly build run by Node.js).
#include "shell/program/command_line.hpp"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    // As the desktop build's main: a read error on standard input shows as one.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return shell::runCommandLine(args, std::cin, std::cout, std::cerr, {});
}
