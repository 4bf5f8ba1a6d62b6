// What a screen shows, written as a PNG file: the scenario driver's `shot` and the
// screenshots of the docs. A backend that can draw without a display supplies it.
#pragma once

#include "runtime/form.hpp"

#include <functional>
#include <span>
#include <string>

namespace shell {

// Writes what the screen's client area shows now as a PNG file at one pixel per 15
// twips; throws PlatformError when it cannot.
using ShotWriter = std::function<void(const rt::Form& form, const std::string& file)>;

// Writes `bytes` to `file`, checked to the last byte on the disk (a full disk shows
// only when the file closes); throws PlatformError with the reason where it cannot.
void writeFile(const std::string& file, std::span<const unsigned char> bytes);

}  // namespace shell
