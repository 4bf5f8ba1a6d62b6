#include "shell/program/script_source.hpp"

#include "shell/rounds/round_folder.hpp"
#include "shell/rounds/round_names.hpp"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <system_error>

namespace shell {

namespace {
bool namesKeptRound(const std::string& name) {
    return name == "last" || (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos);
}

// The file: nullopt, with the reason, when it cannot be read.
std::optional<ScriptSource> openFile(const std::string& path, std::string& reason) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        reason = std::generic_category().message(EISDIR);
        return std::nullopt;
    }
    errno = 0;
    auto file = std::make_unique<std::ifstream>(path);
    if (!*file) {
        reason = errno ? std::generic_category().message(errno) : "cannot open it";
        return std::nullopt;
    }
    return ScriptSource{std::move(file), nullptr, "script " + path};
}

// A kept round, up to its last whole line.
std::optional<ScriptSource> openKeptRound(const std::string& name, std::string& reason, std::ostream& err) {
    const auto folder = roundsFolder();
    if (!folder) {
        reason = std::string("no rounds are kept: ") + kNoRoundsFolder;
        return std::nullopt;
    }
    RoundFolder rounds(*folder, err);
    const auto round = rounds.find(name);
    if (!round) {
        reason = "no such round is kept in " + utf8(*folder) + " (krax --rounds lists them)";
        return std::nullopt;
    }
    const auto text = wholeLinesOf(round->file, reason);
    if (!text) return std::nullopt;
    return ScriptSource{std::make_unique<std::istringstream>(*text), nullptr, "round " + std::to_string(round->number)};
}
}  // namespace

std::optional<ScriptSource> openScriptSource(const std::string& name, std::istream& in, std::ostream& err) {
    if (name == "-") return ScriptSource{nullptr, &in, "standard input"};
    std::string reason;
    std::error_code ignored;
    const bool file = std::filesystem::exists(name, ignored) || !namesKeptRound(name);
    auto source = file ? openFile(name, reason) : openKeptRound(name, reason, err);
    if (!source) {
        err << "krax: cannot read script " << name << ": " << reason << '\n';
        return std::nullopt;
    }
    source->stream = source->owned.get();
    return source;
}

}  // namespace shell
