#include "shell/link/bit_stream.hpp"

#include <bit>

namespace shell {

namespace {
constexpr int kWidestNumber = 48;

std::uint64_t zigzag(std::int64_t n) { return (std::uint64_t(n) << 1) ^ std::uint64_t(n >> 63); }
std::int64_t unzigzag(std::uint64_t n) { return std::int64_t(n >> 1) ^ -std::int64_t(n & 1); }
}  // namespace

void BitWriter::bits(std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (used_ == 8) {
            bytes_.push_back(0);
            used_ = 0;
        }
        if ((value >> i) & 1) bytes_.back() |= std::uint8_t(0x80 >> used_);
        ++used_;
    }
}

// value + 2^k written in binary, after as many zeros as it has digits beyond k + 1.
void BitWriter::golomb(std::uint64_t value, int k) {
    const std::uint64_t shifted = value + (std::uint64_t(1) << k);
    const int width = int(std::bit_width(shifted));
    bits(0, width - 1 - k);
    bits(shifted, width);
}

void BitWriter::signedGolomb(std::int64_t value, int k) { golomb(zigzag(value), k); }

std::uint64_t BitReader::bits(int count) {
    if (std::size_t(count) > bytes_.size() * 8 - at_) throw BitsDamaged("it ends too soon");
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i, ++at_) value = value << 1 | ((bytes_[at_ / 8] >> (7 - at_ % 8)) & 1);
    return value;
}

std::uint64_t BitReader::golomb(int k) {
    int zeros = 0;
    while (!bit())
        if (++zeros + k >= kWidestNumber) throw BitsDamaged("a number too large");
    const std::uint64_t shifted = (std::uint64_t(1) << (zeros + k)) | bits(zeros + k);
    return shifted - (std::uint64_t(1) << k);
}

std::int64_t BitReader::signedGolomb(int k) { return unzigzag(golomb(k)); }

bool BitReader::atEnd() const {
    if (bytes_.size() * 8 - at_ >= 8) return false;
    for (std::size_t at = at_; at < bytes_.size() * 8; ++at)
        if ((bytes_[at / 8] >> (7 - at % 8)) & 1) return false;
    return true;
}

}  // namespace shell
