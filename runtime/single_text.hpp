// Singles as text: the shortest decimal that reads back as the same Single.
#pragma once

#include "runtime/layout.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace rt {

// Both ways are built on printf and strtof alone, since not every C++ library converts
// floats with std::to_chars and std::from_chars; the texts are the same.

// Written as printf's %f or %e would write those digits, whichever is shorter (%f on a
// tie): 3069, 2.5, 0.1, 1e+10, -0, inf, nan.
std::string singleText(Single x);

// The Single nearest to a decimal written as [-]digits[.digits][e[+|-]digits] and
// nothing else; nullopt for any other text and for a number out of a Single's range.
std::optional<Single> singleFromText(std::string_view text);

}  // namespace rt
