// Numbers read from text: the command line, script words, page addresses.
#pragma once

#include "runtime/value.hpp"

#include <cstdint>
#include <optional>
#include <string_view>

namespace shell {

// A whole number in decimal, optionally negative; nullopt for anything else.
std::optional<std::int64_t> wholeNumber(std::string_view text);
// A finite decimal number (such as 3069, 2.5 or -1e3); nullopt for anything else.
std::optional<rt::Single> number(std::string_view text);
// A seed of the random sequence: a whole number from 0 to 4294967295; nullopt for
// anything else.
std::optional<std::uint32_t> seedNumber(std::string_view text);

}  // namespace shell
