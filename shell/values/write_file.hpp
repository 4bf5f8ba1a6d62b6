// A file written whole or not at all said to be written: shots, and whatever else the
// program writes in one piece.
#pragma once

#include <span>
#include <string>

namespace shell {

// Writes `bytes` to `file`, checked to the last byte on the disk (a full disk shows
// only when the file closes); throws PlatformError with the reason where it cannot.
void writeFile(const std::string& file, std::span<const unsigned char> bytes);

}  // namespace shell
