// The monkey: seeded random sessions of play through the scenario driver, with the
// game's invariants checked after every line. A failing session is left behind as a
// script that replays it; at the end, what the sessions reached.
//   krax_monkey [--seeds N] [--events N] [--first-seed N] [--replay-dir DIR]
#include "tests/monkey/monkey_session.hpp"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

struct Options {
    int seeds = 20;
    int events = 2000;  // per seed
    std::uint32_t firstSeed = 1;
    std::filesystem::path replayDir = ".";
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "--seeds") options.seeds = std::atoi(value);
        else if (flag == "--events") options.events = std::atoi(value);
        else if (flag == "--first-seed") options.firstSeed = std::uint32_t(std::strtoul(value, nullptr, 10));
        else if (flag == "--replay-dir") options.replayDir = value;
        else throw std::invalid_argument(std::string(flag));
    }
    if (argc % 2 == 0 || options.seeds < 1 || options.events < 1) throw std::invalid_argument("arguments");
    return options;
}

// Plays one seed's events, session after session; false, with the script left in
// `script` and a line on standard error, at the first failure.
bool playSeed(std::uint32_t seed, int events, const std::filesystem::path& script, monkey::Reached& reached,
              int& sessions) {
    for (std::uint32_t session = 0; events > 0; ++session) {
        ++sessions;
        const std::uint32_t gameSeed = seed * 1000 + session;
        std::ofstream transcript(script);
        transcript << "# monkey seed " << seed << ", session " << session << "; replay with\n"
                   << "#   krax --headless --seed " << gameSeed << " --script " << script.filename().string() << "\n";
        const monkey::Outcome outcome = monkey::playSession(gameSeed, gameSeed, events, transcript, reached);
        if (outcome.failure.empty()) continue;
        transcript << "# the monkey stopped here: " << outcome.failure << '\n';
        std::cerr << "monkey seed " << seed << ": " << outcome.failure << "\n  replay: krax --headless --seed "
                  << gameSeed << " --script " << std::filesystem::absolute(script).string() << '\n';
        return false;
    }
    std::filesystem::remove(script);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const std::exception&) {
        std::cerr << "usage: krax_monkey [--seeds N] [--events N] [--first-seed N] [--replay-dir DIR]\n";
        return 2;
    }
    monkey::Reached reached;
    int sessions = 0, failed = 0;
    for (int i = 0; i < options.seeds; ++i) {
        const std::uint32_t seed = options.firstSeed + std::uint32_t(i);
        const auto script = options.replayDir / ("monkey-seed-" + std::to_string(seed) + ".script");
        if (!playSeed(seed, options.events, script, reached, sessions)) ++failed;
    }
    std::cout << options.seeds << " seeds, " << reached.events << " events, " << sessions << " sessions, "
              << reached.virtualMs / 1000 << " s of play; events on each screen:";
    for (const auto& [screen, count] : reached.screens) std::cout << ' ' << screen << ' ' << count;
    std::cout << '\n';
    // Every screen, the four result screens among them, one for each band of score.
    for (const char* screen : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "frmCredits"}) {
        if (reached.screens.contains(screen)) continue;
        std::cerr << "monkey: no session reached " << screen << '\n';
        ++failed;
    }
    return failed ? 1 : 0;
}
