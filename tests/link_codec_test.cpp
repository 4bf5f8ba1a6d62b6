// The link's codec: base64url, the bits of a tape, and what it makes of links that are
// damaged, cut short, hostile, or from a newer KRAX.
#include "shell/link/base64url.hpp"
#include "shell/link/bit_stream.hpp"
#include "shell/link/link_text.hpp"
#include "shell/link/tape_codec.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using shell::LinkError;
using shell::Step;
using Kind = Step::Kind;

const shell::TapeRules kRules{7, 8};

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

Step step(Kind kind, std::int64_t at) {
    Step s;
    s.kind = kind;
    s.at = at;
    if (kind == Kind::Down || kind == Kind::Up) s.button = 1;
    return s;
}

Step pointer(Kind kind, std::int64_t at, int screen, float x, float y, int button = 1, int shift = 0) {
    Step s = step(kind, at);
    s.screen = screen;
    s.x = x;
    s.y = y;
    s.button = button;
    s.shift = shift;
    return s;
}

// Every kind of step, with the values at the edges of what each takes.
shell::Tape everyKind() {
    shell::Tape tape{7, 4294967295u, {{false, -12, {}}, {true, 0, "Lan\"tern\\"}, {false, 1LL << 40, {}}}, {}, 0};
    auto& s = tape.steps;
    s.push_back(step(Kind::EveryTick, 0));
    s.push_back(pointer(Kind::Down, 412, 0, 5265, 5145));
    s.push_back(pointer(Kind::Up, 500, 0, 5265, 5145));
    s.push_back(pointer(Kind::Move, 500, 1, 300, 7650, 3, 2));
    s.push_back(pointer(Kind::Down, 610, 1, -105, 99990, 2, 7));
    s.push_back(pointer(Kind::Up, 611, 1, -105, 99990, 4, 1));
    Step seed = step(Kind::Seed, 700);
    seed.seed = 2718281828u;
    s.push_back(seed);
    Step press = step(Kind::KeyPress, 700);
    press.code = 255;
    s.push_back(press);
    Step up = step(Kind::KeyUp, 700);
    up.code = 0;
    up.shift = 5;
    s.push_back(up);
    Step answer = step(Kind::Answer, 701);
    answer.text = std::string("47 \"x\" \\ \xff\t", 12);
    s.push_back(answer);
    s.push_back(step(Kind::Cancel, 701));
    Step activate = step(Kind::Activate, 702);
    activate.screen = 7;
    s.push_back(activate);
    Step catchUp = step(Kind::CatchUp, 800);
    catchUp.length = 140;
    s.push_back(catchUp);
    Step close = step(Kind::Close, 940);
    close.screen = 1;
    s.push_back(close);
    tape.length = 100000;
    return tape;
}

shell::Tape roundTrip(const shell::Tape& tape) { return shell::unpackTape(shell::packTape(tape, kRules), kRules); }

// The message of the LinkError that reading `bytes` throws, or "" when it reads.
std::string refusal(const std::vector<std::uint8_t>& bytes) {
    try {
        shell::unpackTape(bytes, kRules);
        return "";
    } catch (const LinkError& e) {
        return e.what();
    }
}

// The header of a tape of format 1 by rules 7, seed 0, no start words, points in pixels.
shell::BitWriter header() {
    shell::BitWriter out;
    out.bits(1, 8);
    out.golomb(7, 0);
    out.bits(0, 32);
    out.golomb(0, 0);
    out.golomb(0, 0);
    return out;
}

TEST(Base64url, MatchesTheStandardAlphabetAndRefusesAnythingElse) {
    const std::pair<std::string_view, std::string_view> known[] = {
        {"", ""}, {"f", "Zg"}, {"fo", "Zm8"}, {"foo", "Zm9v"}, {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"},
        {"\xfb\xff\xbf", "-_-_"}};
    for (const auto& [plain, coded] : known) {
        EXPECT_EQ(shell::base64url(bytesOf(plain)), coded);
        EXPECT_EQ(shell::fromBase64url(coded), bytesOf(plain)) << coded;
    }
    for (const std::string_view bad : {"Zg==", "Zm9v+", "Zm9v/", "Z", "Zm9vY", "Zh", "Zm9 v", "Zm9v\n"})
        EXPECT_FALSE(shell::fromBase64url(bad)) << bad;
}

TEST(BitStream, GolombCodesReadBackAtEveryOrderAndRefuseHugeNumbers) {
    shell::BitWriter out;
    const std::uint64_t values[] = {0, 1, 2, 3, 7, 8, 255, 1000000, (1ULL << 40) + 3};
    for (int k = 0; k < 6; ++k)
        for (const std::uint64_t v : values) {
            out.golomb(v, k);
            out.signedGolomb(-std::int64_t(v), k);
        }
    shell::BitReader in(out.bytes());
    for (int k = 0; k < 6; ++k)
        for (const std::uint64_t v : values) {
            EXPECT_EQ(in.golomb(k), v);
            EXPECT_EQ(in.signedGolomb(k), -std::int64_t(v));
        }
    EXPECT_TRUE(in.atEnd());
    const std::vector<std::uint8_t> zeros(16, 0);
    shell::BitReader endless(zeros);
    EXPECT_THROW(endless.golomb(0), shell::BitsDamaged);
}

TEST(TapeCodec, EveryKindOfStepReadsBackAsItWas) {
    const shell::Tape tape = everyKind();
    EXPECT_EQ(roundTrip(tape), tape);
    shell::Tape empty{7, 0, {}, {}, 0};
    EXPECT_EQ(roundTrip(empty), empty);
}

TEST(TapeCodec, PointsOffEveryGridKeepTheirOwnBits) {
    shell::Tape tape = everyKind();
    tape.steps[3].x = 0.3f;  // on no grid of twips
    tape.steps[4].y = -0.0f;
    const shell::Tape back = roundTrip(tape);
    EXPECT_EQ(back, tape);
    EXPECT_TRUE(std::signbit(back.steps[4].y));
    // A window at scale 2 puts points on half pixels: they pack as small as whole ones.
    shell::Tape halves = everyKind(), wholes = everyKind();
    for (Step& s : halves.steps) s.x = s.x == 5265 ? 5272.5f : s.x;
    EXPECT_EQ(roundTrip(halves), halves);
    EXPECT_LE(shell::packTape(halves, kRules).size(), shell::packTape(wholes, kRules).size() + 2);
    EXPECT_GT(shell::packTape(tape, kRules).size(), shell::packTape(wholes, kRules).size() + 20);
}

TEST(TapeCodec, ATapeTheFormatCannotHoldIsRefusedWhenPacked) {
    shell::Tape tape = everyKind();
    tape.steps[9].text = "line\nbreak";
    EXPECT_THROW(shell::packTape(tape, kRules), LinkError);
    tape = everyKind();
    tape.length = shell::kLongestTape + 1;
    EXPECT_THROW(shell::packTape(tape, kRules), LinkError);
    tape = everyKind();
    tape.steps[11].screen = 8;
    EXPECT_THROW(shell::packTape(tape, kRules), LinkError);
}

TEST(TapeCodec, NewerFormatsAndOtherRulesSaySoInOneLine) {
    std::vector<std::uint8_t> bytes = shell::packTape(everyKind(), kRules);
    bytes[0] = 2;
    EXPECT_EQ(refusal(bytes), "the link is of a newer format (2) than this KRAX reads (1); a newer KRAX plays it");
    const auto byRules = [](int version) { return shell::packTape(shell::Tape{version, 0, {}, {}, 0}, kRules); };
    EXPECT_EQ(refusal(byRules(9)),
              "the round was played by newer rules (version 9) than this KRAX's (version 7); a newer KRAX plays it");
    EXPECT_EQ(refusal(byRules(6)),
              "the round was played by rules of another version (6) than this KRAX's (7), which it cannot play");
    EXPECT_EQ(refusal({0}), "the link is damaged: an unknown format");
}

TEST(TapeCodec, EveryCutAndEveryFlippedBitIsRefusedOrReadNeverMore) {
    const std::vector<std::uint8_t> whole = shell::packTape(everyKind(), kRules);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const std::string why = refusal({whole.begin(), whole.begin() + std::ptrdiff_t(size)});
        EXPECT_TRUE(why.starts_with("the link is damaged: ")) << size << ": " << why;
    }
    for (std::size_t bit = 0; bit < whole.size() * 8; ++bit) {
        std::vector<std::uint8_t> flipped = whole;
        flipped[bit / 8] ^= std::uint8_t(0x80 >> bit % 8);
        try {
            const shell::Tape tape = shell::unpackTape(flipped, kRules);
            EXPECT_LE(tape.length, shell::kLongestTape);
            EXPECT_EQ(roundTrip(tape), tape);  // what reads is a tape like any other
        } catch (const LinkError&) {
        }
    }
    std::vector<std::uint8_t> longer = whole;
    longer.push_back(0x80);
    EXPECT_EQ(refusal(longer), "the link is damaged: more after its end");
}

TEST(TapeCodec, ATapeThatSaysItLastsHoursOrHasTooManyStepsIsRefusedBeforeItsSteps) {
    shell::BitWriter hours = header();
    hours.golomb(1, 4);           // one step
    hours.golomb(0, 0);           // a button down
    hours.golomb(3'600'001, 8);   // an hour and a millisecond later
    EXPECT_EQ(refusal(hours.bytes()), "the link is damaged: a round longer than 60 minutes");
    shell::BitWriter many = header();
    many.golomb(shell::kMostSteps + 1, 4);
    EXPECT_EQ(refusal(many.bytes()), "the link is damaged: more than 100000 steps");
    // Catch-ups add up too: a thousand of an hour each.
    shell::BitWriter catchUps = header();
    catchUps.golomb(1000, 4);
    for (int i = 0; i < 1000; ++i) {
        catchUps.golomb(i < 2 ? 11 : 0, 0);  // last of the kinds in its first two places, then first
        catchUps.golomb(0, 7);
        catchUps.golomb(3'600'000, 3);
    }
    EXPECT_EQ(refusal(catchUps.bytes()), "the link is damaged: a round longer than 60 minutes");
}

TEST(TapeCodec, RandomStepsNeverCrashOrReadPastTheirEnd) {
    std::mt19937 rng(23);
    int read = 0;
    for (int i = 0; i < 20000; ++i) {
        shell::BitWriter bytes = header();
        for (std::size_t n = rng() % 64; n > 0; --n) bytes.bits(rng(), 8);
        read += refusal(bytes.bytes()).empty();
    }
    EXPECT_GT(read, 0);  // some of them are tapes
}

TEST(LinkText, ALinkIsTheSiteWithTheTapeInItsFragment) {
    const shell::Tape tape = everyKind();
    const std::string link = shell::linkTo("https://krax.example/play/", tape, kRules);
    EXPECT_TRUE(link.starts_with("https://krax.example/play/#r=A"));  // format 1
    EXPECT_TRUE(shell::looksLikeLink(link));
    EXPECT_EQ(shell::tapeOfLink(link, kRules), tape);
    EXPECT_EQ(shell::tapeOfLink(link + ".\n", kRules), tape);  // as a mail may end it
}

TEST(LinkText, WhatIsNoLinkOrTooLongOrNotBase64urlSaysSo) {
    const auto why = [](std::string_view link) {
        try {
            shell::tapeOfLink(link, kRules);
            return std::string();
        } catch (const LinkError& e) {
            return std::string(e.what());
        }
    };
    EXPECT_EQ(why("https://krax.example/"), "this is no link to a round: it has no #r= part");
    EXPECT_EQ(why("https://krax.example/#r="), "the link is damaged: its round is empty");
    EXPECT_EQ(why("https://krax.example/#r=AQ$$"),
              "the link is damaged: its round holds characters a link to a round never has, or ends in the middle of one");
    EXPECT_EQ(why("#r=" + std::string(shell::kLongestLink, 'A')),
              "the link is too long: 16387 characters, and a link holds 16384");
    shell::Tape huge{7, 0, {}, {}, 0};
    for (int i = 0; i < 20000; ++i) huge.steps.push_back(pointer(Kind::Move, i, 1, float(i % 400) * 15, float(i % 300) * 15));
    huge.length = 20000;
    EXPECT_THROW(shell::linkTo("https://krax.example/", huge, kRules), LinkError);
}

}  // namespace
