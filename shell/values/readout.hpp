// A value by path as a person reads it, for hooks outside scripts (the web page's
// window.krax.print): "Hits: 1", 59, True, Form2. Texts come bare, everything else as
// `print` writes it.
#pragma once

#include "runtime/app.hpp"

#include <string>
#include <string_view>

namespace shell {

// Throws BadRequest for a path that names nothing.
std::string readout(rt::App& app, std::string_view path);

}  // namespace shell
