// Windows speaks UTF-16; the game's text and file names are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// UTF-8 for UTF-16 text; a lone surrogate becomes U+FFFD.
std::string utf8(std::wstring_view text);

}  // namespace shell
