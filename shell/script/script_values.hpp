// Reading numbers and values from scenario words.
#pragma once

#include "runtime/value.hpp"
#include "shell/values/numbers.hpp"
#include "shell/script/script_words.hpp"

#include <cstdint>

namespace shell {

// The bare word as a whole number from `low` to `high`; throws ScriptError otherwise.
std::int64_t wholeNumberIn(const Word& word, std::int64_t low, std::int64_t high);

// The word read as a value of the same kind as `like`: True/False for a Boolean, a
// whole number in range for an Integer or a Long, a number for a Single, and for a
// String the word's text (quoted or bare). Throws ScriptError for a word of the wrong
// kind, a quoted word for anything but a String among them.
rt::Value valueLike(const Word& word, const rt::Value& like);

}  // namespace shell
