// Integer: the game's 16-bit signed whole number. Arithmetic whose result leaves
// -32768..32767 raises the overflow error and stores nothing.
#pragma once

#include "runtime/error.hpp"
#include "runtime/layout.hpp"

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace rt {

class Integer {
public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Integer() = default;
    // Implicit, so that literals mix with Integers as they do in the game's rules.
    constexpr Integer(int value) : value_(checked(value)) {}

    constexpr int value() const { return value_; }

    friend constexpr Integer operator+(Integer a, Integer b) { return Integer(a.value_ + b.value_); }
    friend constexpr Integer operator-(Integer a, Integer b) { return Integer(a.value_ - b.value_); }
    friend constexpr Integer operator*(Integer a, Integer b) { return Integer(a.value_ * b.value_); }
    friend constexpr bool operator==(Integer, Integer) = default;
    friend constexpr auto operator<=>(Integer, Integer) = default;

private:
    static constexpr std::int16_t checked(int value) {
        if (value < kMin || value > kMax) throw Error::overflow();
        return static_cast<std::int16_t>(value);
    }

    std::int16_t value_ = 0;
};

// The decimal text of an Integer: digits, with a minus sign if negative.
inline std::string text(Integer n) { return std::to_string(n.value()); }

std::ostream& operator<<(std::ostream& out, Integer n);

// A Single converted to Integer: to the nearest whole number, a half to the even
// neighbour (0.5 to 0, 2.5 to 2). Out of range, or not a number: overflow.
Integer CInt(Single x);

}  // namespace rt
