// The script a command line names (`--script`, `--replay`): standard input for "-", a
// file, or, where no file has that name, a kept round: "last" or its number.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace shell {

struct ScriptSource {
    std::unique_ptr<std::istream> owned;  // the file or the kept round; empty for standard input
    std::istream* stream = nullptr;
    std::string name;  // as messages name it: "script FILE", "round 42", "standard input"
};

// nullopt, after one line on `err`, for a script that cannot be read.
std::optional<ScriptSource> openScriptSource(const std::string& name, std::istream& in, std::ostream& err);

}  // namespace shell
