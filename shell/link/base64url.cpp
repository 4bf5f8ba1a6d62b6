#include "shell/link/base64url.hpp"

namespace shell {

namespace {
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int sextet(char c) {
    const std::size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : int(at);
}
}  // namespace

std::string base64url(std::span<const std::uint8_t> bytes) {
    std::string text;
    std::uint32_t buffer = 0;
    int held = 0;
    for (const std::uint8_t byte : bytes) {
        buffer = buffer << 8 | byte;
        for (held += 8; held >= 6; held -= 6) text += kAlphabet[(buffer >> (held - 6)) & 63];
    }
    if (held > 0) text += kAlphabet[(buffer << (6 - held)) & 63];
    return text;
}

std::optional<std::vector<std::uint8_t>> fromBase64url(std::string_view text) {
    if (text.size() % 4 == 1) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint32_t buffer = 0;
    int held = 0;
    for (const char c : text) {
        const int value = sextet(c);
        if (value < 0) return std::nullopt;
        buffer = (buffer << 6 | std::uint32_t(value)) & 0xfff;
        if ((held += 6) >= 8) {
            held -= 8;
            bytes.push_back(std::uint8_t(buffer >> held));
        }
    }
    if (buffer & ((1u << held) - 1)) return std::nullopt;
    return bytes;
}

}  // namespace shell
