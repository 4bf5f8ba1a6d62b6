// The script a command line names: a file, or, where no file of that name exists, a
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
    // be read, a link that is damaged or that this KRAX cannot play.
    bool open(const std::string& name, std::ostream& err);

    std::istream& stream() { return isLink_ ? static_cast<std::istream&>(link_) : file_; }
    // How messages name it: "script FILE", or "the link".
    const std::string& name() const { return name_; }

private:
    std::ifstream file_;
    std::istringstream link_;
    bool isLink_ = false;
    std::string name_;
};

}  // namespace shell
