// The lines of a script as the driver reads, runs and reports them.
#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>

namespace shell {

// Hands each line of `script`, without its leading and trailing blanks, to `each` with
// its number, until `each` returns a status other than 0 or the script ends; returns
// that status, 0 at the end. A line longer than kLongestLine, or a script that cannot
// be read to its end (`source` names it), stops it with 2 and one line on `err`.
int eachLine(std::istream& script, std::ostream& err, std::string_view source,
             const std::function<int(std::string_view line, int number)>& each);

// Runs `run`, the work of line `number`, and says how it went: 0 it ran; 1 an
// `expect` did not hold; 2 the line cannot be run (`line` is quoted); each failure
// with one line on `err`.
int reportLine(std::string_view line, int number, std::ostream& err, const std::function<void()>& run);

}  // namespace shell
