#include "shell/sound/mixer.hpp"

#include <algorithm>
#include <limits>

namespace sound {

void Mixer::play(std::span<const std::int16_t> samples) {
    if (samples.empty()) return;
    if (count_ == kMaxVoices) {
        std::shift_left(voices_.begin(), voices_.end(), 1);
        --count_;
    }
    voices_[count_++] = Voice{samples, 0};
}

void Mixer::pull(std::span<std::int16_t> frames) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::int32_t sum = 0;
        for (std::size_t v = 0; v < count_; ++v) {
            const Voice& voice = voices_[v];
            if (voice.played + i < voice.samples.size()) sum += voice.samples[voice.played + i];
        }
        frames[i] = std::int16_t(std::clamp<std::int32_t>(sum, std::numeric_limits<std::int16_t>::min(),
                                                          std::numeric_limits<std::int16_t>::max()));
    }
    for (std::size_t v = 0; v < count_; ++v) voices_[v].played += frames.size();
    const auto end = std::remove_if(voices_.begin(), voices_.begin() + std::ptrdiff_t(count_),
                                    [](const Voice& voice) { return voice.played >= voice.samples.size(); });
    count_ = std::size_t(end - voices_.begin());
}

}  // namespace sound
