// The game in a web page. The page passes `--seed N` when its address asks for a
// fixed seed (?seed=N), and `--link ADDRESS` when it was opened with a round in its
// fragment; everything else comes from the page itself.
#include "shell/game_start.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/state_dump.hpp"
#include "shell/values/numbers.hpp"
#include "shell/values/readout.hpp"
#include "shell/web/browser.hpp"
#include "shell/web/linked_round.hpp"
#include "shell/web/page.hpp"
#include "shell/web/page_keeper.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

rt::App app;

std::optional<std::string_view> argument(int argc, char** argv, std::string_view name) {
    if (argc != 3 || std::string_view(argv[1]) != name) return std::nullopt;
    return argv[2];
}

std::optional<std::uint32_t> seedOf(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    if (const auto seed = shell::seedNumber(*text)) return seed;
    std::cerr << "krax: the seed is a whole number from 0 to 4294967295, not \"" << *text
              << "\"; playing with a seed from the clock\n";
    return std::nullopt;
}

// The round of the link, played at its own pace; a link that cannot be played is said
// in one line on the page, and nothing plays.
void watch(std::string_view link) {
    static shell::LinkedRound round;
    try {
        round = shell::openLink(link);
    } catch (const shell::LinkError& e) {
        kraxLinkRefused(e.what());
        return;
    }
    static std::istringstream text(round.script);
    static std::ostringstream out;
    static shell::PacedScript script(app, text, out, std::cerr, "the link");
    static shell::PageReplay replay(app, script);
    static shell::Page page(replay, true);
    kraxReplayShown(round.hits, round.playedMs, round.script.c_str());
    page.start();
}

// The player's own game, every round of it kept.
void play() {
    static shell::PageKeeper keeper(app);
    static auto& input = keeper.input();
    static shell::Page page(input);
    page.start();
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

// window.krax.dump(): the whole state, as the scenario driver's `dump` prints it.
extern "C" EMSCRIPTEN_KEEPALIVE const char* krax_dump() {
    static std::string state;
    state = shell::stateJson(app);
    return state.c_str();
}

int main(int argc, char** argv) {
    shell::setUpGame(app, seedOf(argument(argc, argv, "--seed")));
    if (const auto link = argument(argc, argv, "--link"))
        watch(*link);
    else
        play();
    return 0;
}
