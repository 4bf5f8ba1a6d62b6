// The effects' pinned samples where GoogleTest does not run (the WebAssembly build, under
// Node.js): one line for each effect that differs, and a failing exit.
#include "sound_sums.hpp"

#include <cstdio>
#include <string>

int main() {
    const sound::Bank bank;
    int failures = 0;
    for (const auto& pinned : sound_sums::kPinned) {
        const auto samples = bank.samples(pinned.effect);
        const std::uint32_t sum = sound_sums::checksum(samples);
        if (samples.size() == pinned.length && sum == pinned.checksum) continue;
        std::fprintf(stderr, "%s: %zu samples, checksum 0x%08x; pinned: %zu, 0x%08x\n",
                     std::string(sound::nameOf(pinned.effect)).c_str(), samples.size(), unsigned(sum),
                     pinned.length, unsigned(pinned.checksum));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
