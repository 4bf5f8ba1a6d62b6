// The script a command line names (`--script`, `--replay`, `--link`): standard input for
// "-", a file, or, where no file has that name, a kept round ("last" or its number) or a
// link to a round, played as the script it holds.
#pragma once

#include <fstream>
#include <iosfwd>
#include <sstream>
#include <string>

namespace shell {

class ScriptSource {
public:
    // False, with one line on `err`, where the script cannot be had: a file that cannot
    // be read, a round that is not kept, a link that is damaged or that this KRAX cannot
    // play.
    bool open(const std::string& name, std::istream& in, std::ostream& err);

    std::istream& stream() { return *stream_; }
    // How messages name it: "script FILE", "round 42", "the link", "standard input".
    const std::string& name() const { return name_; }

private:
    bool openFile(const std::string& path, std::ostream& err);
    bool openKeptRound(const std::string& name, std::ostream& err);
    bool openLink(const std::string& link, std::ostream& err);

    std::ifstream file_;
    std::istringstream text_;  // a kept round's whole lines, or the script of a link
    std::istream* stream_ = nullptr;
    std::string name_;
};

}  // namespace shell
