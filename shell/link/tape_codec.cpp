#include "shell/link/tape_codec.hpp"

#include "shell/link/bit_stream.hpp"
#include "shell/link/float_bits.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>
#include <string>

namespace shell {

namespace {
using Kind = Step::Kind;
constexpr int kKinds = int(Kind::CatchUp) + 1;

// The steps that points may be counted in, num/den twips each: a pixel of a window at
// scale 1 to 8, and fractions of a twip; past the table, each point's own 32 bits.
struct Quantum {
    double num, den;
};
constexpr std::array<Quantum, 12> kQuanta{
    {{15, 1}, {15, 2}, {15, 3}, {15, 4}, {15, 5}, {15, 6}, {15, 8}, {1, 1}, {1, 2}, {1, 4}, {1, 8}, {1, 16}}};
constexpr std::size_t kRaw = kQuanta.size();
constexpr std::int64_t kFarthest = 1 << 24;  // steps from the origin
constexpr std::size_t kMostStartWords = 64;

float pointOf(std::int64_t n, const Quantum& q) { return float(double(n) * q.num / q.den); }

std::optional<std::int64_t> stepsOf(float x, const Quantum& q) {
    const double n = std::nearbyint(double(x) * q.den / q.num);
    if (!(std::fabs(n) <= double(kFarthest))) return std::nullopt;
    if (bitsOf(pointOf(std::int64_t(n), q)) != bitsOf(x)) return std::nullopt;
    return std::int64_t(n);
}

bool hasPoint(Kind kind) { return kind == Kind::Down || kind == Kind::Up || kind == Kind::Move; }
bool hasScreen(Kind kind) { return hasPoint(kind) || kind == Kind::Activate || kind == Kind::Close; }

// The largest step that every point of the tape lies on, or kRaw.
std::size_t quantumFor(const Tape& tape) {
    for (std::size_t q = 0; q < kQuanta.size(); ++q)
        if (std::all_of(tape.steps.begin(), tape.steps.end(), [&](const Step& s) {
                return !hasPoint(s.kind) || (stepsOf(s.x, kQuanta[q]) && stepsOf(s.y, kQuanta[q]));
            }))
            return q;
    return kRaw;
}

// The order of an Exp-Golomb code that follows the size of the last few numbers.
class Magnitude {
public:
    explicit Magnitude(std::int64_t typical) : mean16_(typical * 16) {}
    int order() const { return std::max(0, int(std::bit_width(std::uint64_t(mean16_ / 16))) - 1); }
    void saw(std::uint64_t n) { mean16_ += (std::int64_t(std::min<std::uint64_t>(n, 1 << 24)) * 16 - mean16_) / 4; }

private:
    std::int64_t mean16_;
};

// What reader and writer learn alike as the steps go by.
struct Model {
    // For each kind before (and none, at the start), the kinds ranked by how lately they followed it.
    std::array<std::array<Kind, kKinds>, kKinds + 1> ranks{};
    Kind last = Kind::CatchUp;
    bool started = false;
    std::array<Magnitude, kKinds> waits{
        Magnitude(300), Magnitude(90), Magnitude(200), Magnitude(300), Magnitude(80), Magnitude(500),
        Magnitude(500), Magnitude(500), Magnitude(500), Magnitude(500), Magnitude(500), Magnitude(200)};
    Magnitude catchUps{8};
    std::array<Magnitude, 2> moves{Magnitude(100), Magnitude(100)};  // x, y
    int screen = 0;
    std::int64_t x = 0, y = 0;  // in the tape's steps
    int keyPress = 'r', keyUp = 'R';

    Model() {
        for (auto& list : ranks)
            for (int k = 0; k < kKinds; ++k) list[std::size_t(k)] = Kind(k);
    }
    std::array<Kind, kKinds>& context() { return ranks[started ? std::size_t(last) : std::size_t(kKinds)]; }
    std::size_t rankOf(Kind kind) {
        auto& list = context();
        return std::size_t(std::find(list.begin(), list.end(), kind) - list.begin());
    }
    // The kind moves to the front of the ranks after the kind before it.
    void saw(Kind kind) {
        auto& list = context();
        std::rotate(list.begin(), std::find(list.begin(), list.end(), kind), std::find(list.begin(), list.end(), kind) + 1);
        last = kind;
        started = true;
    }
};

bool usualButtons(const Step& s) {
    return s.shift == 0 && s.button == (s.kind == Kind::Move ? 0 : 1);
}
constexpr std::array<int, 3> kButtons{1, 2, 4};

class Packer {
public:
    Packer(const Tape& tape, const TapeRules& rules) : tape_(tape), rules_(rules), quantum_(quantumFor(tape)) {}

    std::vector<std::uint8_t> pack() {
        out_.bits(kTapeFormat, 8);
        out_.golomb(std::uint64_t(tape_.rules), 0);
        out_.bits(tape_.seed, 32);
        if (tape_.start.size() > kMostStartWords) throw LinkError("the round's start has more words than a link holds");
        out_.golomb(tape_.start.size(), 0);
        for (const StartWord& word : tape_.start) startWord(word);
        out_.golomb(quantum_, 0);
        if (tape_.steps.size() > kMostSteps) throw LinkError("the round has more than " + std::to_string(kMostSteps) + " steps");
        out_.golomb(tape_.steps.size(), 4);
        std::int64_t now = 0;
        for (const Step& s : tape_.steps) {
            if (s.at < now) throw LinkError("the round's steps are out of order");
            step(s, s.at - now);
            now = s.at + (s.kind == Kind::CatchUp ? s.length : 0);
        }
        if (tape_.length < now || tape_.length > kLongestTape) throw LinkError("the round lasts longer than a link holds");
        out_.golomb(std::uint64_t(tape_.length - now), 8);
        return out_.bytes();
    }

private:
    void text(const std::string& text) {
        if (text.size() > kLongestAnswer || text.find_first_of("\r\n") != std::string::npos)
            throw LinkError("the round has an answer a link cannot hold");
        out_.golomb(text.size(), 3);
        for (const char c : text) out_.bits(std::uint8_t(c), 8);
    }

    void startWord(const StartWord& word) {
        out_.bit(word.isText);
        if (word.isText)
            text(word.text);
        else
            out_.signedGolomb(word.number, 3);
    }

    void step(const Step& s, std::int64_t wait) {
        out_.golomb(model_.rankOf(s.kind), 0);
        model_.saw(s.kind);
        Magnitude& waits = model_.waits[std::size_t(s.kind)];
        out_.golomb(std::uint64_t(wait), waits.order());
        waits.saw(std::uint64_t(wait));
        if (hasScreen(s.kind)) screen(s.screen);
        if (hasPoint(s.kind)) point(s);
        switch (s.kind) {
            case Kind::KeyPress: code(s.code, model_.keyPress); break;
            case Kind::KeyUp:
                code(s.code, model_.keyUp);
                out_.bit(s.shift == 0);
                if (s.shift != 0) out_.bits(std::uint64_t(s.shift), 3);
                break;
            case Kind::Answer: text(s.text); break;
            case Kind::Seed: out_.bits(s.seed, 32); break;
            case Kind::CatchUp:
                out_.golomb(std::uint64_t(s.length), model_.catchUps.order());
                model_.catchUps.saw(std::uint64_t(s.length));
                break;
            default: break;
        }
    }

    void screen(int screen) {
        if (screen < 0 || std::size_t(screen) >= rules_.screens) throw LinkError("the round names a screen the game does not have");
        out_.bit(screen == model_.screen);
        if (screen != model_.screen) out_.golomb(std::uint64_t(screen), 0);
        model_.screen = screen;
    }

    void point(const Step& s) {
        if (quantum_ == kRaw) {
            out_.bits(bitsOf(s.x), 32);
            out_.bits(bitsOf(s.y), 32);
        } else {
            const std::int64_t x = *stepsOf(s.x, kQuanta[quantum_]), y = *stepsOf(s.y, kQuanta[quantum_]);
            out_.bit(x == model_.x && y == model_.y);
            if (x != model_.x || y != model_.y) {
                move(0, x - model_.x);
                move(1, y - model_.y);
            }
            model_.x = x;
            model_.y = y;
        }
        out_.bit(usualButtons(s));
        if (usualButtons(s)) return;
        if (s.kind == Kind::Move)
            out_.bits(std::uint64_t(s.button), 2);
        else
            out_.golomb(std::uint64_t(std::find(kButtons.begin(), kButtons.end(), s.button) - kButtons.begin()), 0);
        out_.bits(std::uint64_t(s.shift), 3);
    }

    void move(std::size_t axis, std::int64_t by) {
        out_.signedGolomb(by, model_.moves[axis].order());
        model_.moves[axis].saw(std::uint64_t(by < 0 ? -by : by));
    }

    void code(int code, int& last) {
        out_.bit(code == last);
        if (code != last) out_.bits(std::uint64_t(code), 8);
        last = code;
    }

    const Tape& tape_;
    const TapeRules& rules_;
    std::size_t quantum_;
    BitWriter out_;
    Model model_;
};

class Unpacker {
public:
    Unpacker(std::span<const std::uint8_t> bytes, const TapeRules& rules) : in_(bytes), rules_(rules) {}

    Tape unpack() {
        Tape tape;
        version(tape);
        tape.seed = std::uint32_t(in_.bits(32));
        const std::uint64_t words = in_.golomb(0);
        if (words > kMostStartWords) damaged("a start of more than " + std::to_string(kMostStartWords) + " words");
        for (std::uint64_t w = 0; w < words; ++w) tape.start.push_back(startWord());
        const std::uint64_t quantum = in_.golomb(0);
        if (quantum > kRaw) damaged("an unknown step for points");
        quantum_ = std::size_t(quantum);
        const std::uint64_t steps = in_.golomb(4);
        if (steps > kMostSteps) damaged("more than " + std::to_string(kMostSteps) + " steps");
        for (std::uint64_t i = 0; i < steps; ++i) tape.steps.push_back(step());
        tape.length = later(in_.golomb(8));
        if (!in_.atEnd()) damaged("more after its end");
        return tape;
    }

private:
    [[noreturn]] static void damaged(const std::string& why) { throw LinkError("the link is damaged: " + why); }

    void version(Tape& tape) {
        const auto format = int(in_.bits(8));
        if (format > kTapeFormat)
            throw LinkError("the link is of a newer format (" + std::to_string(format) + ") than this KRAX reads (" +
                            std::to_string(kTapeFormat) + "); a newer KRAX plays it");
        if (format != kTapeFormat) damaged("an unknown format");
        const std::uint64_t rules = in_.golomb(0);
        if (rules > std::uint64_t(rules_.version))
            throw LinkError("the round was played by newer rules (version " + std::to_string(rules) +
                            ") than this KRAX's (version " + std::to_string(rules_.version) + "); a newer KRAX plays it");
        if (rules != std::uint64_t(rules_.version))
            throw LinkError("the round was played by rules of another version (" + std::to_string(rules) +
                            ") than this KRAX's (" + std::to_string(rules_.version) + "), which it cannot play");
        tape.rules = int(rules);
    }

    // The clock `ms` later, within what a round can last.
    std::int64_t later(std::uint64_t ms) {
        if (ms > std::uint64_t(kLongestTape - now_)) damaged("a round longer than " + std::to_string(kLongestTape / 60000) + " minutes");
        return now_ += std::int64_t(ms);
    }

    std::string text() {
        const std::uint64_t size = in_.golomb(3);
        if (size > kLongestAnswer) damaged("an answer of more than " + std::to_string(kLongestAnswer) + " bytes");
        std::string text;
        for (std::uint64_t i = 0; i < size; ++i) text += char(in_.bits(8));
        if (text.find_first_of("\r\n") != std::string::npos) damaged("an answer with a line break");
        return text;
    }

    StartWord startWord() {
        if (in_.bit()) return {true, 0, text()};
        return {false, in_.signedGolomb(3), {}};
    }

    Step step() {
        Step s;
        const std::uint64_t rank = in_.golomb(0);
        if (rank >= std::uint64_t(kKinds)) damaged("an unknown kind of step");
        s.kind = model_.context()[std::size_t(rank)];
        model_.saw(s.kind);
        Magnitude& waits = model_.waits[std::size_t(s.kind)];
        const std::uint64_t wait = in_.golomb(waits.order());
        waits.saw(wait);
        s.at = later(wait);
        if (hasScreen(s.kind)) s.screen = screen();
        if (hasPoint(s.kind)) point(s);
        switch (s.kind) {
            case Kind::KeyPress: s.code = code(model_.keyPress); break;
            case Kind::KeyUp:
                s.code = code(model_.keyUp);
                s.shift = in_.bit() ? 0 : int(in_.bits(3));
                break;
            case Kind::Answer: s.text = text(); break;
            case Kind::Seed: s.seed = std::uint32_t(in_.bits(32)); break;
            case Kind::CatchUp:
                s.length = std::int64_t(in_.golomb(model_.catchUps.order()));
                model_.catchUps.saw(std::uint64_t(s.length));
                later(std::uint64_t(s.length));
                break;
            default: break;
        }
        return s;
    }

    int screen() {
        if (!in_.bit()) {
            const std::uint64_t screen = in_.golomb(0);
            if (screen >= rules_.screens) damaged("a screen that the game does not have");
            model_.screen = int(screen);
        }
        return model_.screen;
    }

    void point(Step& s) {
        if (quantum_ == kRaw) {
            s.x = floatOf(std::uint32_t(in_.bits(32)));
            s.y = floatOf(std::uint32_t(in_.bits(32)));
            if (!std::isfinite(s.x) || !std::isfinite(s.y)) damaged("a point that is not a number");
        } else {
            if (!in_.bit()) {
                model_.x = moved(0, model_.x);
                model_.y = moved(1, model_.y);
            }
            s.x = pointOf(model_.x, kQuanta[quantum_]);
            s.y = pointOf(model_.y, kQuanta[quantum_]);
        }
        s.button = s.kind == Kind::Move ? 0 : 1;
        if (in_.bit()) return;
        if (s.kind == Kind::Move) {
            s.button = int(in_.bits(2));
        } else {
            const std::uint64_t button = in_.golomb(0);
            if (button >= kButtons.size()) damaged("an unknown mouse button");
            s.button = kButtons[std::size_t(button)];
        }
        s.shift = int(in_.bits(3));
    }

    std::int64_t moved(std::size_t axis, std::int64_t from) {
        const std::int64_t by = in_.signedGolomb(model_.moves[axis].order());
        model_.moves[axis].saw(std::uint64_t(by < 0 ? -by : by));
        if (by < -2 * kFarthest || by > 2 * kFarthest || std::abs(from + by) > kFarthest) damaged("a point too far away");
        return from + by;
    }

    int code(int& last) {
        if (!in_.bit()) last = int(in_.bits(8));
        return last;
    }

    BitReader in_;
    const TapeRules& rules_;
    std::size_t quantum_ = 0;
    std::int64_t now_ = 0;
    Model model_;
};
}  // namespace

std::vector<std::uint8_t> packTape(const Tape& tape, const TapeRules& rules) { return Packer(tape, rules).pack(); }

Tape unpackTape(std::span<const std::uint8_t> bytes, const TapeRules& rules) {
    try {
        return Unpacker(bytes, rules).unpack();
    } catch (const BitsDamaged& e) {
        throw LinkError(std::string("the link is damaged: ") + e.what());
    }
}

}  // namespace shell
