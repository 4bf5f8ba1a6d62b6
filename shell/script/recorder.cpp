#include "shell/script/recorder.hpp"

#include "runtime/value.hpp"
#include "shell/game_start.hpp"
#include "shell/script/input_commands.hpp"
#include "shell/values/state_paths.hpp"

#include <ostream>

namespace shell {

namespace {
// The game's variables that a recording's end checks, beside the screens and the clock.
constexpr std::string_view kRoundValues[] = {"intHits", "intTimeLeft", "intBullets", "intLevel", "strCode"};

template <std::size_t N>
std::string_view wordOf(const std::array<std::pair<int, std::string_view>, N>& table, int value) {
    for (const auto& [v, name] : table)
        if (v == value) return name;
    return table.front().second;
}

std::string point(const rt::Form& form, rt::Single x, rt::Single y) {
    return std::string(form.name()) + ' ' + rt::format(x) + ' ' + rt::format(y);
}

// The optional words of an event, left out while they hold their defaults.
std::string tail(std::string_view word, bool usual, int shift) {
    if (shift) return ' ' + std::string(word) + ' ' + std::to_string(shift);
    return usual ? "" : ' ' + std::string(word);
}

std::string expectation(rt::App& app, const std::string& path) {
    return "expect " + path + ' ' + rt::format(findSlot(app, path).read());
}
}  // namespace

Recorder::Recorder(rt::App& app, To to, std::ostream& err)
    : LiveInput(app), session_(to.session), name_(std::move(to.name)), rounds_(to.rounds), err_(err) {
    if (!session_) return;
    whole_ = Script{[this](const std::string& line) { writeSession(line); }, 0, std::nullopt};
    whole_->put("# A session of krax in windows; play it again with krax --headless --script FILE.");
    setUp(*whole_);
    // Late wake-ups leave timers with nothing to do on another beat in either mode.
    if (!app.quietTimersSleep()) whole_->put("every-tick");
}

void Recorder::catchUp(rt::Millis now) {
    const auto next = app().nextTick();
    // A catch-up that runs no timer only moves the clock; the next line says so.
    if (!next || *next > now) return app().catchUp(now);
    app().catchUp(now);
    forEach([this](Script& script) {
        setUp(script);
        passTime(script);
    });
    answers_.clear();
}

void Recorder::mouseDown(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) {
    event([&]() -> Line {
        app().mouseDown(form, x, y, button, shift);
        return "down " + point(form, x, y) + tail(wordOf(kButtonWords, button), button == rt::kLeftButton, shift);
    });
}

void Recorder::mouseUp(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) {
    event([&]() -> Line {
        app().mouseUp(form, x, y, button, shift);
        return "up " + point(form, x, y) + tail(wordOf(kButtonWords, button), button == rt::kLeftButton, shift);
    });
}

// Only moves that reach the screen are written: the others change nothing.
void Recorder::mouseMove(rt::Form& form, rt::Single x, rt::Single y, int buttons, int shift) {
    event([&]() -> Line {
        if (!app().mouseMove(form, x, y, buttons, shift)) return std::nullopt;
        return "move " + point(form, x, y) + tail(wordOf(kHeldWords, buttons), buttons == 0, shift);
    });
}

void Recorder::keyPress(int character) {
    event([&]() -> Line {
        app().keyPress(character);
        return "keypress " + std::to_string(character);
    });
}

void Recorder::keyUp(int keyCode, int shift) {
    event([&]() -> Line {
        app().keyUp(keyCode, shift);
        return "keyup " + std::to_string(keyCode) + (shift ? ' ' + std::to_string(shift) : "");
    });
}

void Recorder::closeBox(rt::Form& form) {
    event([&]() -> Line {
        const bool shown = app().Running() && form.Visible();
        app().closeBox(form);
        if (!shown) return std::nullopt;
        return "close " + std::string(form.name());
    });
}

void Recorder::activate(rt::Form& form) {
    event([&]() -> Line {
        const rt::Form* before = app().ActiveForm();
        app().activate(form);
        if (app().ActiveForm() == before) return std::nullopt;
        return "activate " + std::string(form.name());
    });
}

rt::InputBoxHost& Recorder::inputBox(WindowInputBox& window) {
    window_ = &window;
    return *this;
}

std::optional<std::string> Recorder::ask(std::string_view prompt, std::string_view title) {
    auto answer = window_ ? window_->ask(prompt, title) : std::nullopt;
    answers_.push_back(answer ? "answer " + rt::quoted(*answer) : "cancel");
    return answer;
}

void Recorder::ended() {
    const std::vector<std::string> lines = endLines();
    forEach([&](Script& script) {
        setUp(script);
        passTime(script);
        for (const std::string& line : lines) script.put(line);
    });
    answers_.clear();
    if (round_) rounds_->end();
    round_.reset();
}

// What stands before an input that loads the game screen is where the next round
// starts, and how the last one ended.
void Recorder::event(const std::function<Line()>& deliver) {
    std::optional<RoundStart> start;
    std::vector<std::string> lastEnd;
    if (rounds_ && !gameLoaded()) {
        start = roundStartOf(app());
        if (round_) lastEnd = endLines();
    }
    const Line line = deliver();
    const bool begins = start && gameLoaded();
    if (!line && answers_.empty() && !begins) return;
    if (begins) {
        if (round_) endRound(lastEnd);
        beginRound(*start);
    }
    forEach([&](Script& script) {
        passTime(script);
        setUp(script);
        if (line) script.put(*line);
    });
    answers_.clear();
}

bool Recorder::gameLoaded() { return app().form(gameScreen()).Loaded(); }

// The state the game stands in, as `expect` lines.
std::vector<std::string> Recorder::endLines() {
    std::vector<std::string> lines{"# How the game stood when it ended."};
    for (const char* path : {"App.Running", "App.Time", "App.ActiveForm"}) lines.push_back(expectation(app(), path));
    for (const std::string& screen : app().formNames()) {
        lines.push_back(expectation(app(), screen + ".Loaded"));
        if (!app().form(screen).Loaded()) continue;
        lines.push_back(expectation(app(), screen + ".Visible"));
        lines.push_back(expectation(app(), screen + ".Enabled"));
    }
    for (std::string_view value : kRoundValues)
        lines.push_back(expectation(app(), std::string(gameScreen()) + "." + std::string(value)));
    return lines;
}

// A round's script states where it starts; its clock and seed lines count from there.
void Recorder::beginRound(const RoundStart& start) {
    rounds_->begin();
    round_ = Script{[this](const std::string& line) { rounds_->line(line); }, start.time, std::nullopt};
    round_->put(roundLine(start));
    if (!app().quietTimersSleep()) round_->put("every-tick");
}

void Recorder::endRound(const std::vector<std::string>& lastEnd) {
    passTime(*round_);
    for (const std::string& line : lastEnd) round_->put(line);
    rounds_->end();
    round_.reset();
}

// The clock's move since the script's last line: a catch-up, since any timer it ran
// was due.
void Recorder::passTime(Script& script) {
    if (app().now() != script.written) script.put("catchup " + std::to_string(app().now() - script.written));
    script.written = app().now();
}

// What a script sets before the line of an input: the seed the clock gave the game
// while it was handled, and the answers the input box got.
void Recorder::setUp(Script& script) {
    if (script.seed != app().lastSeed()) script.put("seed " + std::to_string(*(script.seed = app().lastSeed())));
    for (const std::string& answer : answers_) script.put(answer);
}

void Recorder::forEach(const std::function<void(Script&)>& act) {
    if (whole_) act(*whole_);
    if (round_) act(*round_);
}

void Recorder::writeSession(const std::string& line) {
    if (failed_) return;
    *session_ << line << '\n' << std::flush;
    if (*session_) return;
    failed_ = true;
    err_ << "krax: cannot write the recording " << name_ << "; the game goes on unrecorded\n";
}

}  // namespace shell
