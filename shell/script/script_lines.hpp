// Reading a script a line at a time, with a bound on what one line may take.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace shell {

// No command comes near this; a longer line is refused before it is read to its end,
// so that a script that never ends its line (a device, a broken file) cannot eat memory.
constexpr std::size_t kLongestLine = 64 * 1024;

enum class LineRead { Line, TooLong, End };

// The script cannot be read on; the message is the reason.
class UnreadableScript : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The next line of `in` into `line`, without its end of line. For TooLong, `line`
// holds the first kLongestLine bytes and the rest of the line stays unread. Throws
// UnreadableScript when the stream fails.
LineRead readLine(std::istream& in, std::string& line);

}  // namespace shell
