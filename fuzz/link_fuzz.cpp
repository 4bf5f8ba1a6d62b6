// Any bytes as a link to a round, and as the bits of a round's tape. Reading them may
// refuse them, with a LinkError; what it reads must pack to the same tape again and
// play without fault, its start (a `round` line) checked as the scenario driver checks it. Nothing may crash, leak, hang, read or write out of bounds or run
// into undefined behaviour.
#include "shell/game_start.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/script/driver.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// The fuzzer looks for faults, not for long rounds: a longer tape is read, not played.
constexpr std::int64_t kMostPlayed = 60 * 1000;
constexpr std::size_t kMostStepsPlayed = 2000;

void play(const shell::Tape& tape) {
    std::string script;
    try {
        for (const std::string& line : shell::scriptLines(tape, shell::gameScreens())) script += line + '\n';
    } catch (const shell::LinkError&) {
        return;  // words that are no round's start: the link is refused before it plays
    }
    rt::App app;
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, 1);
    std::istringstream in(script);
    shell::playScript(app, in, out, err);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const shell::TapeRules rules = shell::gameTapeRules();
    try {
        shell::tapeOfLink(std::string_view(reinterpret_cast<const char*>(data), size), rules);
    } catch (const shell::LinkError&) {
    }
    shell::Tape tape;
    try {
        tape = shell::unpackTape({data, size}, rules);
    } catch (const shell::LinkError&) {
        return 0;
    }
    if (shell::unpackTape(shell::packTape(tape, rules), rules) != tape) __builtin_trap();
    if (tape.length > kMostPlayed || tape.steps.size() > kMostStepsPlayed) return 0;
    play(tape);
    return 0;
}
