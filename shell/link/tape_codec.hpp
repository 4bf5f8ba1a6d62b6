// A tape as the bytes of a link, and back. Version 1 of the format:
//
//   byte 0     the format's version, 1
//   then bits  the rules' version, the seed (32 bits), the start (its words), the step
//              that points are measured in, the number of steps, each step, and the
//              time from the last step's end to the round's end
//
// Each step is its kind (ranked by how often it followed the kind before it), the
// milliseconds since the clock stood after the step before, and what the kind needs.
// Points are counted in a step of the tape's own (15 twips when every point lies on a
// pixel of a window at scale 1), as moves from the point before. Numbers take
// Exp-Golomb codes whose order follows the size of the last few of their kind, so that
// the usual ones cost a few bits. Plain C++, the same bits on every system.
#pragma once

#include "shell/link/tape.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace shell {

inline constexpr int kTapeFormat = 1;
// No round lasts this long: a tape that says so is refused before anything plays.
inline constexpr std::int64_t kLongestTape = 60 * 60 * 1000;
inline constexpr std::size_t kMostSteps = 100'000;
inline constexpr std::size_t kLongestAnswer = 4000;  // bytes: the code box takes 1000 characters

// Why a link cannot be read, or a tape cannot be a link: one line, without "krax: ".
class LinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the program reading a tape plays by: its rules' version and how many screens
// those rules have.
struct TapeRules {
    int version = 0;
    std::size_t screens = 0;
};

// Throws LinkError for a tape the format cannot hold (longer than kLongestTape, more
// than kMostSteps, an answer too long or holding a line break).
std::vector<std::uint8_t> packTape(const Tape& tape, const TapeRules& rules);

// Throws LinkError, saying what is wrong, for bytes that are not a tape of this format
// and these rules, or that say more than the limits above allow.
Tape unpackTape(std::span<const std::uint8_t> bytes, const TapeRules& rules);

}  // namespace shell
