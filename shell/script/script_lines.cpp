#include "shell/script/script_lines.hpp"

#include <istream>
#include <new>
#include <ostream>
#include <system_error>

namespace shell {

namespace {
// Straight from the buffer: a stream would take a read error for the end of the script.
LineRead bufferedLine(std::streambuf& source, std::string& line) {
    line.clear();
    for (auto c = source.sbumpc(); c != std::char_traits<char>::eof(); c = source.sbumpc()) {
        if (c == '\n') return LineRead::Line;
        if (line.size() == kLongestLine) return LineRead::TooLong;
        line += std::char_traits<char>::to_char_type(c);
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}
}  // namespace

LineRead readLine(std::istream& in, std::string& line) {
    // Whoever types the script sees what the last line printed.
    if (in.tie()) in.tie()->flush();
    try {
        return bufferedLine(*in.rdbuf(), line);
    } catch (const std::system_error& e) {
        throw UnreadableScript(e.code().message());
    } catch (const std::bad_alloc&) {
        throw UnreadableScript("out of memory");
    }
}

}  // namespace shell
