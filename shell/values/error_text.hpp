// Texts from a script as one line of an error message shows them.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// About the most bytes one text takes in a message.
constexpr std::size_t kLongestQuote = 200;

// `text` made safe for one line on a terminal: control bytes (but tab) written as
// \xHH, and cut, at the first character boundary after kLongestQuote bytes of the
// result (or after 3 continuation bytes, where the bytes are not UTF-8), with "..." to
// mark the cut.
std::string errorText(std::string_view text);

}  // namespace shell
