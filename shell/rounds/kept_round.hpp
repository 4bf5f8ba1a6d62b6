// A kept round as the list of rounds shows it, read from its own file: a finished
// round says how it ended in its last lines; one cut short (a game killed, a disk full)
// is played headless to its last whole line to find out.
#pragma once

#include "runtime/controls.hpp"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace shell {

struct KeptRound {
    std::uint64_t number = 0;
    std::filesystem::path file;
    std::chrono::system_clock::time_point written;  // when its last line was written
    int hits = 0;
    rt::Millis length = 0;  // from the round's first moment to its last
};

// The file's text up to its last whole line: a line cut by a kill or a full disk, the
// last thing written, is no line at all. nullopt, with the reason in `why`, for a file
// that cannot be read.
std::optional<std::string> wholeLinesOf(const std::filesystem::path& file, std::string& why);

// The round kept in `file`; nullopt, with the reason in `why`, for a file that holds no
// round: one that does not start with a sound `round` line, or that does not play.
std::optional<KeptRound> readKeptRound(const std::filesystem::path& file, std::uint64_t number, std::string& why);

}  // namespace shell
