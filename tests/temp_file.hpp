// Files the tests write, in the temporary folder under names of this process's own:
// CTest runs the suite twice at once (every tick, and timers that sleep). Scripts name
// them by generic_string(): forward slashes on every system, since a backslash in a
// quoted word starts an escape.
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

inline std::filesystem::path ownTempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "_" + name);
}
