#include "shell/rounds/kept_round.hpp"

#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/round_start.hpp"
#include "shell/script/script_error.hpp"
#include "shell/values/numbers.hpp"
#include "shell/values/state_paths.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace shell {

namespace {
// A round played for more than a few hours is no round this game keeps.
constexpr std::uintmax_t kLargestFile = 256u << 20;
constexpr std::string_view kEnded = "# How the game stood when it ended.";

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// The `round` line: the first that does more than set up how the game plays.
RoundStart startOf(rt::App& app, const std::vector<std::string_view>& lines) {
    for (std::string_view line : lines) {
        const std::vector<Word> words = splitWords(line);
        if (words.empty() || words[0].text == "seed" || words[0].text == "every-tick") continue;
        if (words[0].text != "round") break;
        return readRoundStart(app, words);
    }
    throw ScriptError("it does not start with a round line");
}

// The number an `expect PATH N` line of the round's end gives.
std::optional<std::int64_t> endValue(const std::vector<std::string_view>& end, std::string_view path) {
    const std::string prefix = "expect " + std::string(path) + " ";
    for (std::string_view line : end)
        if (line.starts_with(prefix)) return wholeNumber(line.substr(prefix.size()));
    return std::nullopt;
}

// How the round ended, from its last lines, or from playing it where it has none.
void readEnd(KeptRound& round, const RoundStart& start, const std::string& text,
             const std::vector<std::string_view>& lines) {
    const auto ended = std::find(lines.rbegin(), lines.rend(), kEnded).base();
    const std::vector<std::string_view> end(ended, lines.end());
    const auto time = endValue(end, "App.Time"), hits = endValue(end, std::string(gameScreen()) + ".intHits");
    if (ended != lines.begin() && time && hits) {
        round.hits = int(*hits);
        round.length = *time - start.time;
        return;
    }
    rt::App app;
    std::ostringstream out, err;
    setUpGame(app);
    openGame(app);
    std::istringstream script(text);
    if (playScript(app, script, out, err) == 2) throw ScriptError(err.str().substr(0, err.str().find('\n')));
    round.hits = std::get<rt::Integer>(findSlot(app, std::string(gameScreen()) + ".intHits").read()).value();
    round.length = app.now() - start.time;
}
}  // namespace

std::optional<std::string> wholeLinesOf(const std::filesystem::path& file, std::string& why) {
    std::error_code error;
    if (std::filesystem::file_size(file, error) > kLargestFile && !error) {
        why = "it is larger than any round";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string whole(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        why = "it cannot be read";
        return std::nullopt;
    }
    whole.resize(whole.rfind('\n') + 1);
    return whole;
}

std::optional<KeptRound> readKeptRound(const std::filesystem::path& file, std::uint64_t number, std::string& why) {
    const auto text = wholeLinesOf(file, why);
    if (!text) return std::nullopt;
    KeptRound round{number, file, {}, 0, 0};
    try {
        rt::App app;
        setUpGame(app);
        const std::vector<std::string_view> lines = linesOf(*text);
        const RoundStart start = startOf(app, lines);
        readEnd(round, start, *text, lines);
    } catch (const ScriptError& e) {
        why = e.what();
        return std::nullopt;
    }
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    // The file system's clock as the system's, by their difference now: every C++
    // library has that, not every one has file_clock::to_sys.
    if (!error)
        round.written = std::chrono::system_clock::now() +
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(
                            written - std::filesystem::file_time_type::clock::now());
    return round;
}

}  // namespace shell
