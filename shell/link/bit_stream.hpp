// Bits written and read one field at a time, most significant first, with the codes a
// tape's numbers take: fixed widths, and Exp-Golomb codes for numbers of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace shell {

// What a reader found wrong: it ran past the end, or met a number larger than any it
// takes. The message is the reason alone.
class BitsDamaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class BitWriter {
public:
    void bits(std::uint64_t value, int count);  // the low `count` bits, count <= 64
    void bit(bool b) { bits(b, 1); }
    // Exp-Golomb of order k: small numbers short, any number at all.
    void golomb(std::uint64_t value, int k);
    void signedGolomb(std::int64_t value, int k);
    // The bytes, the last one filled up with zeros.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    int used_ = 8;  // bits used of the last byte
};

class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t bits(int count);
    bool bit() { return bits(1) != 0; }
    // Throws BitsDamaged for a code of a number of more than 48 bits.
    std::uint64_t golomb(int k);
    std::int64_t signedGolomb(int k);
    // Only the zeros that fill the last byte are left.
    bool atEnd() const;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;  // in bits
};

}  // namespace shell
