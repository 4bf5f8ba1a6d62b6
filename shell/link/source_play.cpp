#include "shell/link/source_play.hpp"

#include "shell/link/line_player.hpp"
#include "shell/link/tape_script.hpp"
#include "shell/script/input_commands.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_line.hpp"
#include "shell/script/script_values.hpp"
#include "shell/values/key_names.hpp"
#include "shell/values/numbers.hpp"

#include <algorithm>
#include <sstream>

namespace shell {

namespace {
using Kind = Step::Kind;
using Role = Played::Role;

// Plays each line of the script on the program and writes down its steps.
class Source {
public:
    explicit Source(SourcePlay& play) : play_(play), screens_(a_.app().formNames()) {
        // The seed the program started on, unless the script sets its own first.
        play_.seed = a_.app().lastSeed();
        a_.play("seed " + std::to_string(play_.seed));
    }

    void line(Words words) {
        const std::string& command = words[0].text;
        if (command == "set" || command == "shot")
            throw ScriptError("a link holds only what a player does, and no player does " + command);
        if (command == "print" || command == "dump") return;
        if (command == "expect") return a_.play(words);
        if (command == "round") return start(words);
        if (command == "seed" && play_.steps.empty() && play_.start.empty() && a_.app().now() == 0)
            return firstSeed(words);
        if (command == "click") return click(words);
        if (command == "key") return key(words);
        if (command == "wait" || command == "catchup") return clock(words);
        const auto before = a_.app().changes().count();
        a_.play(words);  // the driver checks the words before they are read here
        Step step = stepOf(words);
        step.at = a_.app().now();
        add(isInput(step.kind) ? Role::Input : Role::Needed, step, a_.app().changes().count() != before);
    }

    void end() {
        play_.length = a_.app().now();
        play_.endState = a_.state();
    }

private:
    static bool isInput(Kind kind) {
        return kind == Kind::Move || kind == Kind::KeyPress || kind == Kind::KeyUp || kind == Kind::Activate;
    }

    int screen(const Word& word) const {
        return int(std::find(screens_.begin(), screens_.end(), word.text) - screens_.begin());
    }

    // The words of a line the driver has run, as a step.
    Step stepOf(Words words) const {
        static const std::pair<std::string_view, Kind> kKinds[] = {
            {"down", Kind::Down},         {"up", Kind::Up},         {"move", Kind::Move},
            {"keypress", Kind::KeyPress}, {"keyup", Kind::KeyUp},   {"activate", Kind::Activate},
            {"close", Kind::Close},       {"answer", Kind::Answer}, {"cancel", Kind::Cancel},
            {"seed", Kind::Seed},         {"every-tick", Kind::EveryTick}};
        const auto* found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                         [&](const auto& k) { return k.first == words[0].text; });
        if (found == std::end(kKinds)) throw ScriptError("a link cannot hold " + words[0].text);
        Step step;
        step.kind = found->second;
        switch (step.kind) {
            case Kind::Down:
            case Kind::Up:
            case Kind::Move:
                step.screen = screen(words[1]);
                step.x = *number(words[2].text);
                step.y = *number(words[3].text);
                if (step.kind == Kind::Move)
                    step.button = words.size() > 4 ? named(kHeldWords, words[4]) : 0;
                else
                    step.button = words.size() > 4 ? named(kButtonWords, words[4]) : rt::kLeftButton;
                step.shift = words.size() > 5 ? int(*wholeNumber(words[5].text)) : 0;
                break;
            case Kind::KeyPress: step.code = int(*wholeNumber(words[1].text)); break;
            case Kind::KeyUp:
                step.code = int(*wholeNumber(words[1].text));
                step.shift = words.size() > 2 ? int(*wholeNumber(words[2].text)) : 0;
                break;
            case Kind::Activate:
            case Kind::Close: step.screen = screen(words[1]); break;
            case Kind::Answer: step.text = words[1].text; break;
            case Kind::Seed: step.seed = std::uint32_t(*wholeNumber(words[1].text)); break;
            default: break;
        }
        return step;
    }

    void start(Words words) {
        if (!play_.steps.empty() || !play_.start.empty() || a_.app().now() != 0)
            throw ScriptError("a round line comes before everything else");
        a_.play(words);
        // The round may start at a time of its own: the tape counts from there.
        play_.origin = a_.app().now();
        // A bare word that is no number (a screen's name, say) is a text that its
        // line writes bare again (startLine).
        for (const Word& word : words.subspan(1)) {
            const auto n = word.quoted ? std::nullopt : wholeNumber(word.text);
            play_.start.push_back(n ? StartWord{false, *n, {}} : StartWord{true, 0, word.text});
        }
    }

    void firstSeed(Words words) {
        a_.play(words);
        play_.seed = a_.app().lastSeed();
    }

    void clock(Words words) {
        Step step;
        step.kind = Kind::CatchUp;
        step.at = a_.app().now();
        const auto runs = a_.app().handlerRuns();
        a_.play(words);
        step.length = a_.app().now() - step.at;
        add(words[0].text == "wait" ? Role::Wait : Role::Clock, step, a_.app().handlerRuns() != runs);
    }

    // A click as the window system delivers it: the window activated, a button down and up.
    void click(Words words) {
        const ClickAt at = clickAt(a_.app(), words);
        Step step;
        step.screen = screen(Word{std::string(at.form.name())});
        step.at = a_.app().now();
        if (at.form.Enabled() && a_.app().ActiveForm() != &at.form) primitive(Role::Input, Kind::Activate, step);
        step.x = at.x;
        step.y = at.y;
        step.button = at.button;
        primitive(Role::Needed, Kind::Down, step);
        primitive(Role::Needed, Kind::Up, step);
    }

    void key(Words words) {
        if (words.size() != 2) throw ScriptError("usage: key NAME");
        const auto stroke = keyNamed(words[1].text);
        if (!stroke) throw ScriptError("unknown key " + rt::quoted(words[1].text));
        Step step;
        step.at = a_.app().now();
        if (stroke->character) {
            step.code = *stroke->character;
            primitive(Role::Input, Kind::KeyPress, step);
        }
        step.code = stroke->keyCode;
        step.shift = stroke->shift;
        primitive(Role::Input, Kind::KeyUp, step);
    }

    // One event of a line that makes several, played as its own line.
    void primitive(Role role, Kind kind, Step step) {
        step.kind = kind;
        const auto before = a_.app().changes().count();
        a_.play(stepLine(step, screens_));
        add(role, step, a_.app().changes().count() != before);
    }

    void add(Role role, const Step& step, bool changed) {
        Played played{role, step, changed, 0};
        if (role == Role::Input || role == Role::Needed) played.state = a_.state();
        play_.steps.push_back(std::move(played));
    }

    SourcePlay& play_;
    LinePlayer a_;
    ScreenNames screens_;
};
}  // namespace

SourcePlay playSource(std::istream& script, std::string_view source) {
    SourcePlay play;
    Source player(play);
    std::ostringstream err;
    const int status = eachLine(script, err, source, [&](std::string_view line, int number) {
        return reportLine(line, number, err, [&] {
            if (const auto words = splitWords(line); !words.empty()) player.line(words);
        });
    });
    if (status != 0) {
        std::string message = err.str();
        throw TapeRefused(message.substr(0, message.find('\n')));
    }
    player.end();
    return play;
}

}  // namespace shell
