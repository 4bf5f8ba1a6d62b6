// What `dump` shows of the program, digested without being written out: the maker of a
// link compares the state after every input of a round, many times over.
#pragma once

#include "runtime/app.hpp"

#include <cstdint>

namespace shell {

// Equal states digest the same; states that a dump shows differently, almost surely not.
std::uint64_t stateDigest(rt::App& app);

}  // namespace shell
