// Where a label's font lives on this system: one file per face and weight, looked up the
// system's own way (fontconfig on Linux, the fonts folder on Windows).
#pragma once

#include <string>

namespace shell {

// The path, UTF-8, of the font file that draws `face` ("sans-serif" for the plain one).
// Throws PlatformError where there is none.
std::string fontFile(const std::string& face, bool bold);

}  // namespace shell
