#include "shell/link/tape_script.hpp"

#include "runtime/single_text.hpp"
#include "runtime/value.hpp"
#include "shell/values/numbers.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

namespace shell {

namespace {
std::string_view buttonWord(int button) {
    if (button == 2) return "right";
    if (button == 4) return "middle";
    return "left";
}

std::string_view heldWord(int held) {
    constexpr std::string_view kHeld[] = {"none", "left", "right", "left+right"};
    return kHeld[held & 3];
}

// FORM X Y [BUTTON [SHIFT]], the optional words left out while they hold their defaults.
std::string pointer(const Step& step, const ScreenNames& screens, std::string_view button, bool usual) {
    std::string line = screens.at(std::size_t(step.screen)) + ' ' + rt::singleText(step.x) + ' ' + rt::singleText(step.y);
    if (step.shift) return line + ' ' + std::string(button) + ' ' + std::to_string(step.shift);
    return usual ? line : line + ' ' + std::string(button);
}

std::string screenLine(std::string_view command, const Step& step, const ScreenNames& screens) {
    return std::string(command) + ' ' + screens.at(std::size_t(step.screen));
}
}  // namespace

std::string stepLine(const Step& step, const ScreenNames& screens) {
    using K = Step::Kind;
    switch (step.kind) {
        case K::Down: return "down " + pointer(step, screens, buttonWord(step.button), step.button == 1);
        case K::Up: return "up " + pointer(step, screens, buttonWord(step.button), step.button == 1);
        case K::Move: return "move " + pointer(step, screens, heldWord(step.button), step.button == 0);
        case K::KeyPress: return "keypress " + std::to_string(step.code);
        case K::KeyUp: return "keyup " + std::to_string(step.code) + (step.shift ? ' ' + std::to_string(step.shift) : "");
        case K::Activate: return screenLine("activate", step, screens);
        case K::Close: return screenLine("close", step, screens);
        case K::Answer: return "answer " + rt::quoted(step.text);
        case K::Cancel: return "cancel";
        case K::Seed: return "seed " + std::to_string(step.seed);
        case K::EveryTick: return "every-tick";
        case K::CatchUp: return "catchup " + std::to_string(step.length);
    }
    return {};
}

// A name as the `round` line has its screens and buttons: letters, digits, dots,
// underscores and an index in brackets, and not a number.
static bool isBareName(const std::string& text) {
    const auto plain = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '(' || c == ')';
    };
    return !text.empty() && std::all_of(text.begin(), text.end(), plain) && !wholeNumber(text);
}

std::string startLine(const std::vector<StartWord>& start) {
    if (start.empty()) return {};
    std::string line = "round";
    // The first text, the code, is quoted: it may be empty or hold spaces.
    bool code = true;
    for (const StartWord& word : start) {
        line += ' ';
        if (!word.isText) {
            line += std::to_string(word.number);
        } else {
            line += !std::exchange(code, false) && isBareName(word.text) ? word.text : rt::quoted(word.text);
        }
    }
    return line;
}

std::vector<std::string> scriptLines(const Tape& tape, const ScreenNames& screens) {
    std::vector<std::string> lines{"seed " + std::to_string(tape.seed)};
    if (!tape.start.empty()) lines.push_back(startLine(tape.start));
    std::int64_t now = 0;
    const auto waitUntil = [&](std::int64_t moment) {
        if (moment > now) lines.push_back("wait " + std::to_string(moment - now));
        now = std::max(now, moment);
    };
    for (const Step& step : tape.steps) {
        waitUntil(step.at);
        lines.push_back(stepLine(step, screens));
        if (step.kind == Step::Kind::CatchUp) now += step.length;
    }
    waitUntil(tape.length);
    return lines;
}

}  // namespace shell
