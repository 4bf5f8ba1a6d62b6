// Where the kept rounds live and how their files are named: round-000042.script holds
// round 42, its number its own for as long as it is kept.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace shell {

// $XDG_STATE_HOME/krax/rounds (~/.local/state/krax/rounds without it) on Linux,
// %LOCALAPPDATA%\KRAX\rounds on Windows; nullopt where the environment names neither.
std::optional<std::filesystem::path> roundsFolder();
// Why roundsFolder() found none.
extern const char* const kNoRoundsFolder;

std::string roundFileName(std::uint64_t number);
// The number of a round's file, from its name; nullopt for any other name.
std::optional<std::uint64_t> roundNumberOf(const std::filesystem::path& file);

// A path as UTF-8, for messages, whatever the system's own encoding.
std::string utf8(const std::filesystem::path& path);

}  // namespace shell
