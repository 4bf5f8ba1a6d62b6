// The game in a web page. The page passes `--seed N` when its address asks for a
// fixed seed (?seed=N); everything else comes from the page itself.
#include "shell/game_start.hpp"
#include "shell/values/numbers.hpp"
#include "shell/values/readout.hpp"
#include "shell/web/page.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

rt::App app;

std::optional<std::uint32_t> seedOf(int argc, char** argv) {
    if (argc != 3 || std::string_view(argv[1]) != "--seed") return std::nullopt;
    if (const auto seed = shell::seedNumber(argv[2])) return seed;
    std::cerr << "krax: the seed is a whole number from 0 to 4294967295, not \"" << argv[2]
              << "\"; playing with a seed from the clock\n";
    return std::nullopt;
}

}  // namespace

// window.krax.print(PATH): what the scenario driver's `print` shows for PATH, texts
// bare. The first character tells the page how it went: '=' a value, '!' an error.
extern "C" EMSCRIPTEN_KEEPALIVE const char* krax_print(const char* path) {
    static std::string answer;
    try {
        answer = "=" + shell::readout(app, path);
    } catch (const std::exception& e) {
        answer = std::string("!") + e.what();
    }
    return answer.c_str();
}

int main(int argc, char** argv) {
    shell::setUpGame(app, seedOf(argc, argv));
    // The player's own input, fed to the game as it comes.
    static shell::LiveInput input(app);
    static shell::Page page(input);
    page.start();
    return 0;
}
