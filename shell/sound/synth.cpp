#include "shell/sound/synth.hpp"

#include "shell/sound/waves.hpp"

#include <algorithm>

namespace sound {

namespace {

constexpr std::int64_t kOne = 1 << 16;  // 1 in Q16

std::int64_t samplesOf(int ms) { return std::int64_t(ms) * kSampleRate / 1000; }

// The phase step of a pitch given in Q16 hertz, below a whole turn.
std::uint32_t phaseStep(std::int64_t hertzQ16) {
    const std::int64_t step = (hertzQ16 << 16) / kSampleRate;
    return std::uint32_t(std::clamp<std::int64_t>(step, 0, 0xffffffffLL));
}

// 2^(k/12) in Q16, k = 0..11: the equal-tempered semitones of an octave.
constexpr std::array<std::int64_t, 12> kSemitones{65536, 69433, 73562, 77936,  82570,  87480,
                                                  92682, 98193, 104032, 110218, 116772, 123715};

std::int64_t semitoneRatio(int semitones) {
    const int octave = semitones >= 0 ? semitones / 12 : -((11 - semitones) / 12);
    const std::int64_t ratio = kSemitones[std::size_t(semitones - 12 * octave)];
    return octave >= 0 ? ratio << octave : ratio >> -octave;
}

class Envelope {
public:
    explicit Envelope(const Patch& patch)
        : attack_(samplesOf(patch.attackMs)), sustain_(samplesOf(patch.sustainMs)),
          decay_(samplesOf(patch.decayMs)), punch_(patch.punchPercent) {}

    std::int64_t length() const { return attack_ + sustain_ + decay_; }

    // The gain at sample i, in Q15.
    std::int64_t at(std::int64_t i) const {
        if (i < attack_) return i * kFullScale / attack_;
        i -= attack_;
        if (i < sustain_) return kFullScale + kFullScale * punch_ / 100 * (sustain_ - i) / sustain_;
        const std::int64_t left = (decay_ - (i - sustain_)) * kFullScale / decay_;
        return left * left / kFullScale;
    }

private:
    std::int64_t attack_, sustain_, decay_, punch_;
};

class Pitch {
public:
    Pitch(const Patch& patch, std::int64_t length)
        : patch_(patch), length_(length), step_(samplesOf(patch.stepMs)),
          vibratoStep_(phaseStep(std::int64_t(patch.vibratoHz) * kOne)) {}

    bool resting(std::int64_t i) const { return note(i) == kRest; }

    // The pitch at sample i in Q16 hertz; called once a sample, in order.
    std::int64_t next(std::int64_t i) {
        const std::int64_t start = std::int64_t(patch_.startHz) * kOne;
        const std::int64_t slid = start + (std::int64_t(patch_.endHz) * kOne - start) * i / length_;
        const std::int64_t hertz = slid * semitoneRatio(note(i)) / kOne;
        vibratoPhase_ += vibratoStep_;
        return hertz + hertz * patch_.vibratoPercent * sine(vibratoPhase_) / (100 * kFullScale);
    }

private:
    int note(std::int64_t i) const {
        const std::int64_t index = step_ == 0 ? 0 : std::min<std::int64_t>(i / step_, 3);
        return patch_.semitones[std::size_t(index)];
    }

    const Patch& patch_;
    std::int64_t length_, step_;
    std::uint32_t vibratoStep_, vibratoPhase_ = 0;
};

class Oscillator {
public:
    explicit Oscillator(const Patch& patch)
        : wave_(patch.wave), duty_(std::uint32_t((std::uint64_t(patch.dutyPercent) << 32) / 100)) {}

    std::int32_t next(std::uint32_t step) {
        const std::uint32_t before = phase_;
        phase_ += step;
        switch (wave_) {
        case Wave::Square: return square(phase_, duty_);
        case Wave::Saw: return saw(phase_);
        case Wave::Triangle: return triangle(phase_);
        case Wave::Sine: return sine(phase_);
        case Wave::Noise: break;
        }
        // A new noise value every 32nd of a period gives the noise a pitch.
        if ((before >> 27) != (phase_ >> 27) || step >= (1u << 27)) held_ = noise_.next();
        return held_;
    }

private:
    Wave wave_;
    std::uint32_t duty_, phase_ = 0;
    Noise noise_{0x2545f491u};
    std::int32_t held_ = 0;
};

// A one-pole filter. Its state keeps 8 bits below a sample's, so that a low cutoff
// still moves it.
class OnePole {
public:
    explicit OnePole(int hertz) : on_(hertz > 0), factor_(factorOf(hertz)) {}

    std::int64_t lowPass(std::int64_t x) { return on_ ? follow(x) : x; }
    std::int64_t highPass(std::int64_t x) { return on_ ? x - follow(x) : x; }

private:
    // w / (1 + w) for w = 2 pi f / rate (pi as 355/113): close to the exact
    // 1 - e^-w where it matters, and always below 1.
    static std::int64_t factorOf(int hertz) {
        const std::int64_t w = std::int64_t(hertz) * 2 * 355 * kOne / (113 * kSampleRate);
        return w * kOne / (kOne + w);
    }

    std::int64_t follow(std::int64_t x) {
        state_ += (x * 256 - state_) * factor_ / kOne;
        return state_ / 256;
    }

    bool on_;
    std::int64_t factor_, state_ = 0;
};

}  // namespace

std::vector<std::int16_t> render(const Patch& patch) {
    const Envelope envelope(patch);
    Pitch pitch(patch, std::max<std::int64_t>(envelope.length(), 1));
    Oscillator oscillator(patch);
    OnePole low(patch.lowPassHz), high(patch.highPassHz);
    std::vector<std::int16_t> samples(std::size_t(envelope.length()));
    for (std::int64_t i = 0; i < envelope.length(); ++i) {
        const std::uint32_t step = phaseStep(pitch.next(i));
        const std::int64_t tone = pitch.resting(i) ? 0 : oscillator.next(step);
        const std::int64_t filtered = high.highPass(low.lowPass(tone));
        const std::int64_t level = filtered * envelope.at(i) / kFullScale * patch.volumePercent / 100;
        samples[std::size_t(i)] = std::int16_t(std::clamp<std::int64_t>(level, -kFullScale, kFullScale - 1));
    }
    return samples;
}

}  // namespace sound
