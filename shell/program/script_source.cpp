#include "shell/program/script_source.hpp"

#include "shell/link/round_tape.hpp"

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace shell {

namespace {
// Opens the script file: empty text, or the reason it cannot be read.
std::string openFile(const std::string& path, std::ifstream& file) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return std::generic_category().message(EISDIR);
    errno = 0;
    file.open(path);
    if (file) return {};
    return errno ? std::generic_category().message(errno) : "cannot open it";
}
}  // namespace

bool ScriptSource::open(const std::string& name, std::ostream& err) {
    std::error_code ignored;
    if (looksLikeLink(name) && !std::filesystem::exists(name, ignored)) {
        isLink_ = true;
        name_ = "the link";
        try {
            link_.str(scriptOfLink(name));
            return true;
        } catch (const LinkError& e) {
            err << "krax: " << e.what() << '\n';
            return false;
        }
    }
    name_ = "script " + name;
    const std::string reason = openFile(name, file_);
    if (!reason.empty()) err << "krax: cannot read script " << name << ": " << reason << '\n';
    return reason.empty();
}

}  // namespace shell
