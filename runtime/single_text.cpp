#include "runtime/single_text.hpp"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

constexpr int kMostPlaces = 8;  // nine significant digits bring back any Single

// A positive decimal: significand times ten to the power `exponent`.
struct Decimal {
    std::int64_t significand = 0;
    int exponent = 0;

    bool readsBackAs(Single x) const {
        const std::string text = std::to_string(significand) + "e" + std::to_string(exponent);
        return std::strtof(text.c_str(), nullptr) == x;
    }
};

// x to `places` digits after the first, correctly rounded.
Decimal rounded(Single x, int places) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*e", places, double(x));
    Decimal d;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.') d.significand = d.significand * 10 + (*p - '0');
    d.exponent = std::atoi(p + 1) - places;
    return d;
}

// The fewest digits that read back. The nearest decimal of a length is tried first;
// its neighbours too, since just above a power of two the rounding interval is
// narrower below than above, and the nearest can fall outside it while a neighbour
// on the wider side reads back.
Decimal shortest(Single x) {
    for (int places = 0; places < kMostPlaces; ++places) {
        const Decimal nearest = rounded(x, places);
        for (const std::int64_t step : {0, 1, -1}) {
            const Decimal d{nearest.significand + step, nearest.exponent};
            if (d.readsBackAs(x)) return d;
        }
    }
    return rounded(x, kMostPlaces);
}

std::string asFixed(Single x, const std::string& digits, int point) {
    const auto count = int(digits.size());
    if (point <= 0) return "0." + std::string(std::size_t(-point), '0') + digits;
    if (point < count) return digits.substr(0, std::size_t(point)) + "." + digits.substr(std::size_t(point));
    // A whole number with fewer significant digits than places: all whole numbers
    // that large are exact in a Single, and the exact one is the closest text.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.0f", double(x));
    return buffer;
}

std::string asScientific(const std::string& digits, int point) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += "." + digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%+03d", point - 1);
    return text + exponent;
}

bool digitAt(std::string_view text, std::size_t at) {
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}

// Moves `at` past a run of digits; false when there is none.
bool skipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (digitAt(text, at)) ++at;
    return at > start;
}

// strtof would also take blanks, a plus sign, hexadecimal and words like "infinity".
bool plainDecimal(std::string_view text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    bool digits = skipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits = skipDigits(text, at) || digits;
    }
    if (!digits) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (!skipDigits(text, at)) return false;
    }
    return at == text.size();
}

}  // namespace

std::optional<Single> singleFromText(std::string_view text) {
    if (!plainDecimal(text)) return std::nullopt;
    const std::string copy(text);
    errno = 0;
    const Single x = std::strtof(copy.c_str(), nullptr);
    if (errno == ERANGE) return std::nullopt;
    return x;
}

std::string singleText(Single x) {
    const std::string sign = std::signbit(x) ? "-" : "";
    if (std::isnan(x)) return sign + "nan";
    if (std::isinf(x)) return sign + "inf";
    if (x == 0) return sign + "0";
    x = std::fabs(x);
    Decimal d = shortest(x);
    while (d.significand % 10 == 0) {
        d.significand /= 10;
        ++d.exponent;
    }
    const std::string digits = std::to_string(d.significand);
    const int point = d.exponent + int(digits.size());  // digits before the decimal point
    const std::string fixed = asFixed(x, digits, point), scientific = asScientific(digits, point);
    return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

}  // namespace rt
