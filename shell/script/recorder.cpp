#include "shell/script/recorder.hpp"

#include "runtime/value.hpp"
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

Recorder::Recorder(rt::App& app, std::ostream& script, std::ostream& err, std::string name)
    : LiveInput(app), script_(script), err_(err), name_(std::move(name)), seed_(app.lastSeed()) {
    write("# A session of krax in windows; play it again with krax --headless --script FILE.");
    write("seed " + std::to_string(seed_));
    // Late wake-ups leave timers with nothing to do on another beat in either mode.
    if (!app.quietTimersSleep()) write("every-tick");
}

void Recorder::catchUp(rt::Millis now) {
    const auto next = app().nextTick();
    // A catch-up that runs no timer only moves the clock; the next line says so.
    if (!next || *next > now) return app().catchUp(now);
    app().catchUp(now);
    writeSetUp();
    passTime();
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
    writeSetUp();
    passTime();
    write("# How the game stood when it ended.");
    for (const char* path : {"App.Running", "App.Time", "App.ActiveForm"}) write(expectation(app(), path));
    for (const std::string& screen : app().formNames()) {
        write(expectation(app(), screen + ".Loaded"));
        if (!app().form(screen).Loaded()) continue;
        write(expectation(app(), screen + ".Visible"));
        write(expectation(app(), screen + ".Enabled"));
    }
    for (std::string_view value : kRoundValues) write(expectation(app(), "Form2." + std::string(value)));
}

void Recorder::event(const std::function<Line()>& deliver) {
    const Line line = deliver();
    if (!line && answers_.empty()) return;
    passTime();
    writeSetUp();
    if (line) write(*line);
}

// The clock's move since the last line: a catch-up, since any timer it ran was due.
void Recorder::passTime() {
    if (app().now() != written_) write("catchup " + std::to_string(app().now() - written_));
    written_ = app().now();
}

// What the script sets before the line of an input: the seed the clock gave the game
// while it was handled, and the answers the input box got.
void Recorder::writeSetUp() {
    if (app().lastSeed() != seed_) write("seed " + std::to_string(seed_ = app().lastSeed()));
    for (const std::string& answer : answers_) write(answer);
    answers_.clear();
}

void Recorder::write(const std::string& line) {
    if (failed_) return;
    script_ << line << '\n' << std::flush;
    if (script_) return;
    failed_ = true;
    err_ << "krax: cannot write the recording " << name_ << "; the game goes on unrecorded\n";
}

}  // namespace shell
