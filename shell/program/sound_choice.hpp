// Whether the player left sound off, remembered between runs of the program: a file
// `sound` holding "off" or "on", in $XDG_CONFIG_HOME/krax/ (~/.config/krax/ without
// it), in %APPDATA%\KRAX\ on Windows.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace shell {

// Where the choice is kept; nullopt where the environment names no such folder.
std::optional<std::filesystem::path> soundChoiceFile();

// True when the player last turned sound off; false when nothing can be read.
bool rememberedMute();

// Keeps the choice; where it cannot, one line on `err`, and the game goes on.
void rememberMute(bool muted, std::ostream& err);

}  // namespace shell
