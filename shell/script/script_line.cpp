#include "shell/script/script_line.hpp"

#include "shell/script/script_error.hpp"
#include "shell/script/script_lines.hpp"

#include <istream>
#include <ostream>
#include <string>

namespace shell {

namespace {
std::string_view trimmed(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

int readEachLine(std::istream& script, std::ostream& err, const std::function<int(std::string_view, int)>& each) {
    std::string line;
    for (int number = 1;; ++number) {
        switch (readLine(script, line)) {
            case LineRead::End: return 0;
            case LineRead::TooLong:
                err << "line " << number << ": longer than " << kLongestLine << " bytes: " << errorText(line) << '\n';
                return 2;
            case LineRead::Line: break;
        }
        if (const int status = each(trimmed(line), number)) return status;
    }
}
}  // namespace

int eachLine(std::istream& script, std::ostream& err, std::string_view source,
             const std::function<int(std::string_view, int)>& each) {
    try {
        return readEachLine(script, err, each);
    } catch (const UnreadableScript& e) {
        err << "krax: cannot read " << source << ": " << e.what() << '\n';
        return 2;
    }
}

int reportLine(std::string_view line, int number, std::ostream& err, const std::function<void()>& run) {
    try {
        run();
        return 0;
    } catch (const ExpectFailure& failure) {
        err << "line " << number << ": " << failure.what() << '\n';
        return 1;
    } catch (const BadRequest& error) {  // a ScriptError, or a path that names nothing
        err << "line " << number << ": " << error.what() << ": " << errorText(line) << '\n';
        return 2;
    }
}

}  // namespace shell
