// The whole state of the program as one line of JSON, for `dump`.
#pragma once

#include "runtime/app.hpp"

#include <array>
#include <string>
#include <string_view>

namespace shell {

// The properties a dump shows of each control, in dump order: those of them its kind has.
inline constexpr std::array<std::string_view, 8> kControlProperties{"Visible", "Enabled", "Left",    "Top",
                                                                    "Width",   "Height",  "Caption", "Interval"};

// {"App":{"ActiveForm":...,"Running":...,"Time":...},"Form1":{"Loaded":...,"Visible":...,
// "Enabled":...,"Width":...,"variables":{...},"controls":{"imgP2(2)":{"Visible":...,...},...}},...}
// with every defined screen in definition order (making instances not yet made).
std::string stateJson(rt::App& app);

}  // namespace shell
