#include "shell/script/state_commands.hpp"

#include "shell/script/script_error.hpp"
#include "shell/script/script_values.hpp"
#include "shell/script/state_dump.hpp"
#include "shell/values/state_paths.hpp"

#include <ostream>
#include <string>
#include <vector>

namespace shell {

void set(Session& session, Words words) {
    const std::string& path = words[1].text;
    const Slot slot = findSlot(session.app, path);
    if (!slot.write) throw ScriptError(path + " is read only");
    const rt::Value value = valueLike(words[2], slot.read());
    try {
        session.app.apply([&] { slot.write(value); });
    } catch (const rt::Error& e) {
        throw ScriptError(path + " refuses " + rt::format(value) + ": " + e.what());
    }
}

void expect(Session& session, Words words) {
    const std::string& path = words[1].text;
    const rt::Value actual = findSlot(session.app, path).read();
    const rt::Value wanted = valueLike(words[2], actual);
    if (actual != wanted)
        throw ExpectFailure("expected " + path + " = " + rt::format(wanted) + ", got " + rt::format(actual));
}

// All paths are found before anything is printed, so a bad one prints nothing.
void print(Session& session, Words words) {
    std::vector<std::string> lines;
    for (const Word& path : words.subspan(1))
        lines.push_back(path.text + " = " + rt::format(findSlot(session.app, path.text).read()));
    for (const std::string& line : lines) session.out << line << '\n';
}

void dump(Session& session, Words) { session.out << stateJson(session.app) << '\n'; }

namespace {
std::string namesOf(const std::vector<sound::Effect>& effects) {
    std::string names;
    for (const sound::Effect effect : effects) names += (names.empty() ? "" : " ") + std::string(sound::nameOf(effect));
    return names.empty() ? "none" : names;
}
}  // namespace

// The effects played since the last `sounds` line, or since the start, in order.
void sounds(Session& session, Words words) {
    std::vector<sound::Effect> wanted;
    for (const Word& word : words.subspan(1)) {
        const auto effect = sound::effectNamed(word.text);
        if (!effect) throw ScriptError("no sound is called " + written(word));
        wanted.push_back(*effect);
    }
    const std::vector<sound::Effect> heard = session.hearing.takeHeard();
    if (heard != wanted) throw ExpectFailure("expected sounds " + namesOf(wanted) + ", got " + namesOf(heard));
}

}  // namespace shell
