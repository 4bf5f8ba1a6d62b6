#include "shell/error_text.hpp"

#include <cstdio>

namespace shell {

namespace {
bool isControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7f; }
bool continuesCharacter(unsigned char c) { return (c & 0xc0) == 0x80; }
}  // namespace

std::string errorText(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (shown.size() >= kLongestQuote && !continuesCharacter(byte)) return shown + "...";
        if (!isControl(byte)) {
            shown += c;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", byte);
        shown += escape;
    }
    return shown;
}

}  // namespace shell
