// The whole state of the program as one line of JSON, for `dump`.
#pragma once

#include "runtime/app.hpp"

#include <string>

namespace shell {

// {"App":{"ActiveForm":...,"Running":...,"Time":...},"Form1":{"Loaded":...,"Visible":...,
// "Enabled":...,"Width":...,"variables":{...},"controls":{"imgP2(2)":{"Visible":...,...},...}},...}
// with every defined screen in definition order (making instances not yet made).
std::string stateJson(rt::App& app);

}  // namespace shell
