// What a screen's client area shows now, written as a PNG file at one pixel per 15
// twips. Needs no display.
#pragma once

#include "runtime/form.hpp"

#include <string>

namespace shell {

// Throws PlatformError when the file cannot be written.
void saveScreenshot(const rt::Form& form, const std::string& file);

}  // namespace shell
