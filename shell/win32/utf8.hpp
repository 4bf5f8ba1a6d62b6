// Windows speaks UTF-16; the game's text and file names are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// UTF-8 for UTF-16 text; a lone surrogate becomes U+FFFD.
std::string utf8(std::wstring_view text);
// UTF-16 for UTF-8 text; a byte that is not UTF-8 becomes U+FFFD.
std::wstring utf16(std::string_view text);

}  // namespace shell
