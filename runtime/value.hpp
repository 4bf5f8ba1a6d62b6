// A property or variable value as tools see it (the scenario driver, state dumps):
// a Boolean, an Integer, a Long (timer intervals), a Single or a String.
#pragma once

#include "runtime/integer.hpp"

#include <cstdint>
#include <string>
#include <variant>

namespace rt {

using Long = std::int32_t;
using Value = std::variant<bool, Integer, Long, Single, std::string>;

// How the game writes a value: True/False, decimal whole numbers, a Single as the
// shortest decimal that reads back the same, a text in double quotes with \" and \\.
std::string format(const Value& value);

// A text in double quotes, with \" and \\ escaped.
std::string quoted(const std::string& text);

}  // namespace rt
