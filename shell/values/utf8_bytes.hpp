// The bytes of UTF-8 text: where a character starts, so that text is cut, counted and
// shown a whole character at a time.
#pragma once

namespace shell {

// Whether `byte` continues a character rather than starting one (10xxxxxx).
constexpr bool continuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace shell
