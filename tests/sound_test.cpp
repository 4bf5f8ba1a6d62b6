// The synthesizer, the effects it makes and the mixer that plays them.
#include "shell/sound/effects.hpp"
#include "shell/sound/mixer.hpp"
#include "shell/sound/waves.hpp"
#include "sound_sums.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using sound::Effect;

int peakOf(std::span<const std::int16_t> samples) {
    int peak = 0;
    for (const std::int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Upward zero crossings: the cycles of a tone.
int cyclesOf(std::span<const std::int16_t> samples) {
    int cycles = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) cycles += samples[i - 1] < 0 && samples[i] >= 0;
    return cycles;
}

double rmsOf(std::span<const std::int16_t> samples) {
    double sum = 0;
    for (const std::int16_t s : samples) sum += double(s) * s;
    return std::sqrt(sum / double(samples.size()));
}

TEST(SoundWaves, TheSineStaysCloseToATrueSineAllRound) {
    for (std::uint64_t phase = 0; phase < (1ull << 32); phase += 999'983) {
        const double truth = std::sin(double(phase) / 4294967296.0 * 2 * std::numbers::pi) * sound::kFullScale;
        ASSERT_NEAR(sound::sine(std::uint32_t(phase)), truth, 0.0015 * sound::kFullScale) << phase;
    }
}

TEST(SoundWaves, ShapesSpanTheFullScaleOverATurn) {
    for (const auto wave : {sound::saw, sound::triangle, sound::sine}) {
        std::int32_t low = 0, high = 0;
        for (std::uint64_t phase = 0; phase < (1ull << 32); phase += 1 << 12) {
            low = std::min(low, wave(std::uint32_t(phase)));
            high = std::max(high, wave(std::uint32_t(phase)));
        }
        EXPECT_LE(-sound::kFullScale, low);
        EXPECT_LT(low, -32700);
        EXPECT_GT(high, 32700);
        EXPECT_LT(high, sound::kFullScale);
    }
}

TEST(SoundWaves, TheSquareIsHighForItsDutyOfTheTurnExactly) {
    for (const std::uint32_t duty : {0u, 1u << 30, 1u << 31, 3u << 30}) {
        int high = 0;
        for (std::uint64_t phase = 0; phase < (1ull << 32); phase += 1 << 24)
            high += sound::square(std::uint32_t(phase), duty) > 0;
        EXPECT_EQ(high, int(duty >> 24)) << "of 256 steps, duty " << duty;
    }
}

TEST(SoundSynth, TheEnvelopeSetsTheLengthAndStartsAndEndsQuiet) {
    const sound::Patch patch{.wave = sound::Wave::Square, .attackMs = 10, .sustainMs = 20, .decayMs = 30};
    const auto samples = sound::render(patch);
    ASSERT_EQ(samples.size(), 60u * sound::kSampleRate / 1000);
    const std::span<const std::int16_t> all(samples);
    EXPECT_LT(peakOf(all.first(48)), peakOf(all.subspan(480, 960)) / 4) << "the attack rises";
    EXPECT_LT(peakOf(all.last(48)), peakOf(all.subspan(480, 960)) / 50) << "the decay falls to nothing";
    EXPECT_EQ(peakOf(all.subspan(480, 960)), 32767 / 2) << "at 50 %, the hold is half of full scale";
}

TEST(SoundSynth, NotesStepOverTheSlideAndARestIsSilent) {
    const sound::Patch patch{.wave = sound::Wave::Sine, .startHz = 500, .endHz = 500,
                             .semitones = {0, sound::kRest, 12, -12}, .stepMs = 100, .sustainMs = 400};
    const auto samples = sound::render(patch);
    const std::span<const std::int16_t> all(samples);
    EXPECT_NEAR(cyclesOf(all.subspan(0, 4800)), 50, 1);
    EXPECT_EQ(peakOf(all.subspan(4800, 4800)), 0);
    EXPECT_NEAR(cyclesOf(all.subspan(9600, 4800)), 100, 1) << "an octave up";
    EXPECT_NEAR(cyclesOf(all.subspan(14400, 4800)), 25, 1) << "an octave down";

    const sound::Patch slide{.wave = sound::Wave::Triangle, .startHz = 200, .endHz = 600, .sustainMs = 1000};
    const auto slid = sound::render(slide);
    EXPECT_NEAR(cyclesOf(slid), 400, 2) << "a straight slide averages its ends";
}

TEST(SoundSynth, EverySemitoneIsInTuneAndWithoutStepsTheFirstNotePlays) {
    // A sine at 100 Hz for a second, k semitones up: 100 * 2^(k/12) cycles.
    for (int k = -13; k <= 24; ++k) {
        const sound::Patch patch{.wave = sound::Wave::Sine, .startHz = 100, .endHz = 100, .semitones = {k, 0, 0, 0},
                                 .sustainMs = 1000};
        EXPECT_NEAR(cyclesOf(sound::render(patch)), 100 * std::pow(2.0, k / 12.0), 1) << k << " semitones";
    }
}

TEST(SoundSynth, ASoundWithNoHoldRisesAndFalls) {
    const sound::Patch patch{.wave = sound::Wave::Square, .attackMs = 10, .decayMs = 10};
    const auto samples = sound::render(patch);
    ASSERT_EQ(samples.size(), 20u * sound::kSampleRate / 1000);
    const std::span<const std::int16_t> all(samples);
    EXPECT_GT(peakOf(all.subspan(400, 160)), 32767 / 2 * 9 / 10) << "full at the turn";
    EXPECT_LT(peakOf(all.last(48)), 32767 / 50);
}

TEST(SoundSynth, ASoundLouderThanFullScaleIsClippedNotWrapped) {
    const sound::Patch patch{.wave = sound::Wave::Square, .sustainMs = 50, .punchPercent = 100, .volumePercent = 100};
    const auto samples = sound::render(patch);
    EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 32767);
    EXPECT_EQ(*std::min_element(samples.begin(), samples.end()), -32768);
    // A square's first half turn is high throughout: no sample wrapped round to low.
    const std::span<const std::int16_t> first(samples.data() + 1, sound::kSampleRate / 440 / 2 - 2);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](std::int16_t s) { return s > 0; }));
}

TEST(SoundSynth, TheFiltersTakeAwayTheirSideOfTheSpectrum) {
    const auto level = [](int hertz, int lowPass, int highPass) {
        const sound::Patch patch{.wave = sound::Wave::Sine, .startHz = hertz, .endHz = hertz, .sustainMs = 200,
                                 .lowPassHz = lowPass, .highPassHz = highPass};
        return rmsOf(sound::render(patch));
    };
    const double open = level(4000, 0, 0);
    EXPECT_LT(level(4000, 400, 0), open * 0.15);
    EXPECT_GT(level(100, 400, 0), open * 0.9);
    EXPECT_LT(level(100, 0, 2000), open * 0.1);
    EXPECT_GT(level(4000, 0, 200), open * 0.9);
    EXPECT_LT(level(1000, 1, 0), open * 0.01) << "any cutoff filters; only 0 leaves the sound";
}

TEST(SoundEffects, EachIsPinnedToTheSampleOnEveryPlatform) {
    const sound::Bank bank;
    for (const auto& pinned : sound_sums::kPinned) {
        const auto samples = bank.samples(pinned.effect);
        EXPECT_EQ(samples.size(), pinned.length) << sound::nameOf(pinned.effect);
        EXPECT_EQ(sound_sums::checksum(samples), pinned.checksum) << sound::nameOf(pinned.effect);
    }
}

TEST(SoundEffects, AreShortAudibleAndBelowClipping) {
    const sound::Bank bank;
    for (std::size_t i = 0; i < sound::kEffectCount; ++i) {
        const auto effect = Effect(i);
        const auto samples = bank.samples(effect);
        const bool roundEnd = effect == Effect::RoundLost || effect == Effect::RoundWon;
        EXPECT_LE(samples.size(), std::size_t(roundEnd ? 2 * sound::kSampleRate : sound::kSampleRate / 2)) << sound::nameOf(effect);
        EXPECT_GT(peakOf(samples), 4000) << sound::nameOf(effect);
        EXPECT_LT(peakOf(samples), 24000) << sound::nameOf(effect);
        EXPECT_EQ(sound::effectNamed(sound::nameOf(effect)), effect);
    }
    EXPECT_EQ(sound::effectNamed("bang"), std::nullopt);
}

TEST(SoundMixer, SumsVoicesAndClipsTheSum) {
    const std::vector<std::int16_t> loud(100, 30000), quiet(50, -1000);
    sound::Mixer mixer;
    mixer.play(loud);
    mixer.play(loud);
    mixer.play(quiet);
    std::vector<std::int16_t> frames(120);
    mixer.pull(frames);
    EXPECT_EQ(frames[0], 32767);
    EXPECT_EQ(frames[60], 32767);
    EXPECT_EQ(frames[100], 0) << "all played out";
    EXPECT_TRUE(mixer.silent());

    const std::vector<std::int16_t> low(10, -30000);
    mixer.play(low);
    mixer.play(low);
    mixer.play(quiet);
    mixer.pull(frames);
    EXPECT_EQ(frames[0], -32768);
}

TEST(SoundMixer, PlaysAtMostItsBoundTheOldestMakingWay) {
    sound::Mixer mixer;
    std::vector<std::vector<std::int16_t>> voices;
    for (int v = 0; v <= int(sound::Mixer::kMaxVoices); ++v) voices.emplace_back(10, std::int16_t(1 << v));
    for (const auto& voice : voices) mixer.play(voice);
    EXPECT_EQ(mixer.voices(), sound::Mixer::kMaxVoices);
    std::int16_t frame = 0;
    mixer.pull(std::span(&frame, 1));
    EXPECT_EQ(frame, 0b11110) << "the first voice, the oldest, made way";
}

// What the audio callback hears: every sample from the first, in its buffer and no
// further; the device may close the moment the mixer says it is silent.
TEST(SoundMixer, PlaysASoundWholeAndIsSilentTheMomentItEnds) {
    const std::vector<std::int16_t> ramp{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    sound::Mixer mixer;
    mixer.play(ramp);
    std::vector<std::int16_t> buffer(ramp.size() + 1, 12345);
    mixer.pull(std::span(buffer).first(ramp.size()));
    EXPECT_EQ(std::vector(buffer.begin(), buffer.end() - 1), ramp);
    EXPECT_EQ(buffer.back(), 12345) << "nothing written past the frames asked for";
    EXPECT_TRUE(mixer.silent());
}

TEST(SoundMixer, AnEmptySoundTakesNoVoice) {
    const std::vector<std::int16_t> one(10, 1), none;
    sound::Mixer mixer;
    mixer.play(none);
    EXPECT_TRUE(mixer.silent());
    for (std::size_t v = 0; v < sound::Mixer::kMaxVoices; ++v) mixer.play(one);
    mixer.play(none);
    std::int16_t frame = 0;
    mixer.pull(std::span(&frame, 1));
    EXPECT_EQ(frame, std::int16_t(sound::Mixer::kMaxVoices)) << "no voice made way for nothing";
}

TEST(SoundMixer, PullingInPiecesGivesTheSameFrames) {
    const sound::Bank bank;
    const auto play = [&](sound::Mixer& mixer) {
        mixer.play(bank.samples(Effect::PigHit));
        mixer.play(bank.samples(Effect::Throw));
    };
    sound::Mixer whole, pieces;
    play(whole);
    play(pieces);
    std::vector<std::int16_t> once(12000), inParts(12000);
    whole.pull(once);
    for (std::size_t at = 0; at < inParts.size(); at += 700)
        pieces.pull(std::span(inParts).subspan(at, std::min<std::size_t>(700, inParts.size() - at)));
    EXPECT_EQ(once, inParts);
    EXPECT_TRUE(whole.silent());
}

}  // namespace
