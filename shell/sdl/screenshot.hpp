// What a screen's client area shows now, as a PNG picture at one pixel per 15 twips.
// Needs no display.
#pragma once

#include "runtime/form.hpp"

#include <string>
#include <vector>

namespace shell {

// The PNG file's bytes. Throws PlatformError when SDL cannot draw or encode it.
std::vector<unsigned char> screenPng(const rt::Form& form);

// Writes the picture to `file`; throws PlatformError, with the reason, when the file
// cannot be written to its end.
void saveScreenshot(const rt::Form& form, const std::string& file);

}  // namespace shell
