#include "shell/link/start_words.hpp"

#include "shell/link/tape_codec.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>

namespace shell {

namespace {
StartWord number(std::int64_t n) { return {false, n, {}}; }
StartWord text(const std::string& t) { return {true, 0, t}; }

StartWord screenWord(const std::string& name, const ScreenNames& screens) {
    return number(std::find(screens.begin(), screens.end(), name) - screens.begin());
}

void addScreens(std::vector<StartWord>& words, const std::vector<std::string>& names, const ScreenNames& screens) {
    words.push_back(number(std::int64_t(names.size())));
    for (const std::string& name : names) words.push_back(screenWord(name, screens));
}

// The words one at a time, each of the kind the layout has there.
class Reader {
public:
    Reader(const std::vector<StartWord>& words, const ScreenNames& screens) : words_(words), screens_(screens) {}

    std::int64_t number() { return next(false).number; }
    // A number the start holds as an int; whether it is one a round leaves, the
    // `round` line's own reading says.
    int integer() {
        const std::int64_t n = number();
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) damaged("a number out of range");
        return int(n);
    }
    std::string text() { return next(true).text; }
    std::string screen() {
        const std::int64_t n = number();
        if (n < 0 || n >= std::int64_t(screens_.size())) damaged("a screen that is none");
        return screens_[std::size_t(n)];
    }
    std::vector<std::string> screenList() {
        const std::int64_t count = number();
        if (count < 0 || count > std::int64_t(screens_.size())) damaged("more screens than there are");
        std::vector<std::string> names;
        for (std::int64_t i = 0; i < count; ++i) names.push_back(screen());
        return names;
    }
    void end() const {
        if (at_ != words_.size()) damaged("more words than a start has");
    }

private:
    [[noreturn]] static void damaged(const std::string& what) {
        throw LinkError("the link is damaged: its round starts with " + what);
    }
    const StartWord& next(bool isText) {
        if (at_ == words_.size()) damaged("fewer words than a start has");
        const StartWord& word = words_[at_++];
        if (word.isText != isText) damaged(isText ? "a number where a text goes" : "a text where a number goes");
        return word;
    }

    const std::vector<StartWord>& words_;
    const ScreenNames& screens_;
    std::size_t at_ = 0;
};
}  // namespace

std::vector<StartWord> startWords(const RoundStart& start, const ScreenNames& screens) {
    std::vector<StartWord> words{number(start.time), number(start.appearRoll), number(start.blinkPhase),
                                 text(start.code)};
    addScreens(words, start.shown, screens);
    words.push_back(screenWord(start.active, screens));
    addScreens(words, start.hidden, screens);
    const std::size_t dot = start.pressed.find('.');
    words.push_back(screenWord(start.pressed.substr(0, dot), screens));
    words.push_back(text(start.pressed.substr(dot + 1)));
    return words;
}

RoundStart startOfWords(const std::vector<StartWord>& words, const ScreenNames& screens) {
    Reader in(words, screens);
    RoundStart start;
    start.time = in.number();
    start.appearRoll = in.integer();
    start.blinkPhase = in.integer();
    start.code = in.text();
    start.shown = in.screenList();
    start.active = in.screen();
    start.hidden = in.screenList();
    start.pressed = in.screen();
    start.pressed += '.' + in.text();
    in.end();
    return start;
}

}  // namespace shell
