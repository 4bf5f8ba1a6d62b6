#include "shell/values/error_text.hpp"

#include "shell/values/utf8_bytes.hpp"

#include <cstdio>

namespace shell {

namespace {
bool isControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7f; }
// A UTF-8 character has at most this many bytes after its first.
constexpr std::size_t kMostContinuations = 3;
}  // namespace

std::string errorText(std::string_view text) {
    std::string shown;
    std::size_t continuations = 0;  // continuation bytes in a row at the end of `shown`
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool continues = continuesCharacter(c);
        // Bytes that are not UTF-8 may continue a character that never ends.
        if (shown.size() >= kLongestQuote && (!continues || continuations >= kMostContinuations))
            return shown + "...";
        continuations = continues ? continuations + 1 : 0;
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
