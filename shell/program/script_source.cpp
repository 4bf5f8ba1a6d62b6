#include "shell/program/script_source.hpp"

#include "shell/link/round_tape.hpp"
#include "shell/rounds/round_folder.hpp"
#include "shell/rounds/round_names.hpp"

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace shell {

namespace {
bool namesKeptRound(const std::string& name) {
    return name == "last" || (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos);
}

void cannotRead(const std::string& name, const std::string& reason, std::ostream& err) {
    err << "krax: cannot read script " << name << ": " << reason << '\n';
}
}  // namespace

bool ScriptSource::open(const std::string& name, std::istream& in, std::ostream& err) {
    if (name == "-") {
        stream_ = &in;
        name_ = "standard input";
        return true;
    }
    std::error_code ignored;
    if (!std::filesystem::exists(name, ignored)) {
        if (namesKeptRound(name)) return openKeptRound(name, err);
        if (looksLikeLink(name)) return openLink(name, err);
    }
    return openFile(name, err);
}

bool ScriptSource::openFile(const std::string& path, std::ostream& err) {
    name_ = "script " + path;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        cannotRead(path, std::generic_category().message(EISDIR), err);
        return false;
    }
    errno = 0;
    file_.open(path);
    if (!file_) {
        cannotRead(path, errno ? std::generic_category().message(errno) : "cannot open it", err);
        return false;
    }
    stream_ = &file_;
    return true;
}

// A kept round, up to its last whole line.
bool ScriptSource::openKeptRound(const std::string& name, std::ostream& err) {
    const auto folder = roundsFolder();
    if (!folder) {
        cannotRead(name, std::string("no rounds are kept: ") + kNoRoundsFolder, err);
        return false;
    }
    RoundFolder rounds(*folder, err);
    const auto round = rounds.find(name);
    if (!round) {
        cannotRead(name, "no such round is kept in " + utf8(*folder) + " (krax --rounds lists them)", err);
        return false;
    }
    std::string reason;
    const auto text = wholeLinesOf(round->file, reason);
    if (!text) {
        cannotRead(name, reason, err);
        return false;
    }
    text_.str(*text);
    stream_ = &text_;
    name_ = "round " + std::to_string(round->number);
    return true;
}

bool ScriptSource::openLink(const std::string& link, std::ostream& err) {
    try {
        text_.str(scriptOfLink(link));
    } catch (const LinkError& e) {
        err << "krax: " << e.what() << '\n';
        return false;
    }
    stream_ = &text_;
    name_ = "the link";
    return true;
}

}  // namespace shell
