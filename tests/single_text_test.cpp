// Singles as text, against the C++ library's own shortest conversion where it has one.
#include "runtime/single_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

std::string library(float x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

TEST(SingleText, WritesTheValuesScriptsShow) {
    EXPECT_EQ(rt::singleText(3069.0f), "3069");
    EXPECT_EQ(rt::singleText(2.5f), "2.5");
    EXPECT_EQ(rt::singleText(0.1f), "0.1");
    EXPECT_EQ(rt::singleText(-0.0f), "-0");
    EXPECT_EQ(rt::singleText(1e10f), "1e+10");
    EXPECT_EQ(rt::singleText(std::numeric_limits<float>::infinity()), "inf");
}

// Just above a power of two the rounding interval is lopsided, and large whole numbers
// print exactly: the two places where a plain "fewest printf digits" goes wrong.
TEST(SingleText, AgreesWithTheLibraryAtPowersOfTwoAndTheirNeighbours) {
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent)
        for (const std::uint32_t mantissa : {0u, 1u, 2u, 0x400000u, 0x7fffffu}) {
            const auto x = std::bit_cast<float>(exponent << 23 | mantissa);
            ASSERT_EQ(rt::singleText(x), library(x)) << std::hex << (exponent << 23 | mantissa);
            ASSERT_EQ(rt::singleText(-x), library(-x));
        }
}

TEST(SingleText, AgreesWithTheLibraryOnAnySingle) {
    std::mt19937 bits(7);
    for (int i = 0; i < 200000; ++i) {
        const auto x = std::bit_cast<float>(std::uint32_t(bits()));
        if (x != x) continue;
        ASSERT_EQ(rt::singleText(x), library(x)) << std::hex << std::bit_cast<std::uint32_t>(x);
    }
}

TEST(SingleText, AgreesWithTheLibraryOnScreenCoordinates) {
    for (int n = -40000; n <= 40000; ++n) {
        const auto whole = float(n);
        for (const float x : {whole, whole / 4, whole / 15}) ASSERT_EQ(rt::singleText(x), library(x)) << x;
    }
}

std::optional<float> libraryRead(std::string_view text) {
    float x = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), x);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return x;
}

TEST(SingleText, ReadsWhatTheLibraryReadsAndNothingElse) {
    for (const std::string_view text :
         {"2.5", "-3", ".5", "5.", "1e3", "1E-3", "2.5e+2", "0.1", "3069", "-0", "16777217", "+1", " 1", "1 ", "0x10",
          "1e", "-", ".", "", "e5", "1e99", "--1", "1.2.3"}) {
        const auto mine = rt::singleFromText(text), theirs = libraryRead(text);
        ASSERT_EQ(mine.has_value(), theirs.has_value()) << '"' << text << '"';
        if (mine) {
            EXPECT_EQ(*mine, *theirs) << text;
        }
    }
    EXPECT_EQ(rt::singleFromText("inf"), std::nullopt);  // the library takes these; scripts never did
    EXPECT_EQ(rt::singleFromText("nan"), std::nullopt);
}

TEST(SingleText, ReadsBackWhatItWrites) {
    std::mt19937 bits(11);
    for (int i = 0; i < 20000; ++i) {
        const auto x = std::bit_cast<float>(std::uint32_t(bits()));
        if (!std::isfinite(x) || std::fpclassify(x) == FP_SUBNORMAL) continue;
        ASSERT_EQ(rt::singleFromText(rt::singleText(x)), x) << rt::singleText(x);
    }
}

}  // namespace
