#include "shell/values/numbers.hpp"

#include "runtime/single_text.hpp"

#include <charconv>
#include <cmath>
#include <limits>

namespace shell {

std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::int64_t value{};
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

std::optional<rt::Single> number(std::string_view text) {
    const auto x = rt::singleFromText(text);
    if (!x || !std::isfinite(*x)) return std::nullopt;
    return x;
}

std::optional<std::uint32_t> seedNumber(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(*n);
}

}  // namespace shell
