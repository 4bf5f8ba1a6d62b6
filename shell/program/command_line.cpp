#include "shell/program/command_line.hpp"

#include "shell/game_start.hpp"
#include "shell/program/identity.hpp"
#include "shell/live_input.hpp"
#include "shell/values/numbers.hpp"
#include "shell/platform_error.hpp"
#include "shell/script/replay.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/recorder.hpp"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace shell {

namespace {
constexpr std::string_view kUsage =
    "usage: krax [--scale N] [--seed N] [--every-tick] [--record FILE]\n"
    "       krax --replay FILE [--speed N] [--scale N]\n"
    "       krax --headless [--seed N] [--script FILE] [--every-tick]\n"
    "       krax --version | --help\n"
    "Plays KRAX in windows; with --headless, plays a scenario script without a window,\n"
    "on a virtual clock.\n"
    "  --scale N      draw N window pixels per screen pixel, 1 to 4; without it, the\n"
    "                 desktop's own scale (Xft.dpi, else GDK_SCALE; on Wayland the\n"
    "                 display's own density), lowered until the game screen fits\n"
    "  --record FILE  write the session in windows to FILE as a scenario script that\n"
    "                 krax --headless --script FILE plays again exactly\n"
    "  --replay FILE  play a recording, or any scenario script, in the windows at its\n"
    "                 own pace; the close box stops it\n"
    "  --speed N      with --replay, play N times as fast, 0.25 to 8 (default 1)\n"
    "  --headless     run a scenario script without a window\n"
    "  --seed N       seed the random sequence with N, 0 to 4294967295, instead of the clock\n"
    "  --script FILE  read the script from FILE; without it, or with -, from standard input\n"
    "  --every-tick   run every timer tick, also of timers with nothing to do (the same\n"
    "                 game with more wake-ups; for comparing)\n"
    "  --version      show the version\n"
    "  --help         show this help\n"
    "Exit status: 0 the game or the script ran to its end and every expect held, 1 an\n"
    "expect did not hold or the game could not open its windows, 2 a line of the\n"
    "script, an argument or the recording's file could not be used, or the script\n"
    "could not be read.\n";

class BadArguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    bool help = false;
    bool version = false;
    bool headless = false;
    bool everyTick = false;
    std::optional<std::uint32_t> seed;
    std::optional<int> scale;
    std::string script = "-";
    std::optional<std::string> record;
    std::optional<std::string> replay;
    std::optional<double> speed;
};

std::uint32_t seedFrom(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > std::numeric_limits<std::uint32_t>::max())
        throw BadArguments("--seed takes a whole number from 0 to 4294967295, not \"" + std::string(text) + "\"");
    return static_cast<std::uint32_t>(*n);
}

int scaleFrom(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 1 || *n > 4) throw BadArguments("--scale takes a whole number from 1 to 4, not \"" + std::string(text) + "\"");
    return int(*n);
}

double speedFrom(std::string_view text) {
    const auto speed = number(text);
    if (!speed || !(*speed >= 0.25f && *speed <= 8))
        throw BadArguments("--speed takes a number from 0.25 to 8, not \"" + std::string(text) + "\"");
    return *speed;
}

// Options that do not go together.
void checkTogether(const Options& options) {
    if (options.headless && options.record) throw BadArguments("--record is for play in windows, not --headless");
    if (options.replay && (options.headless || options.record))
        throw BadArguments("--replay plays in windows, without --headless or --record");
    if (options.speed && !options.replay) throw BadArguments("--speed is for --replay");
}

Options parse(std::span<const std::string_view> args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&] {
            if (i + 1 == args.size()) throw BadArguments(std::string(arg) + " needs a value");
            return args[++i];
        };
        if (arg == "--help") options.help = true;
        else if (arg == "--version") options.version = true;
        else if (arg == "--headless") options.headless = true;
        else if (arg == "--every-tick") options.everyTick = true;
        else if (arg == "--seed") options.seed = seedFrom(value());
        else if (arg == "--script") options.script = value();
        else if (arg == "--scale") options.scale = scaleFrom(value());
        else if (arg == "--record") options.record = value();
        else if (arg == "--replay") options.replay = value();
        else if (arg == "--speed") options.speed = speedFrom(value());
        else throw BadArguments("unknown argument \"" + std::string(arg) + "\"; see krax --help");
    }
    checkTogether(options);
    return options;
}

// Opens the script file: empty text, or the reason it cannot be read.
std::string openScript(const std::string& path, std::ifstream& file) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return std::generic_category().message(EISDIR);
    errno = 0;
    file.open(path);
    if (file) return {};
    return errno ? std::generic_category().message(errno) : "cannot open it";
}

// Opens a script file; false, with one line on `err`, where it cannot be read.
bool openScriptFile(const std::string& path, std::ifstream& file, std::ostream& err) {
    const std::string reason = openScript(path, file);
    if (!reason.empty()) err << "krax: cannot read script " << path << ": " << reason << '\n';
    return reason.empty();
}

// The game's screens, before the first one opens.
void prepare(rt::App& app, const Options& options, std::ostream& err) {
    app.setErrorStream(err);
    app.setQuietTimersSleep(!options.everyTick);
    setUpGame(app, options.seed);
}

int playHeadless(const Options& options, std::istream& in, std::ostream& out, std::ostream& err,
                 const ShotWriter& shot) {
    std::ifstream file;
    if (options.script != "-" && !openScriptFile(options.script, file, err)) return 2;
    rt::App app;
    prepare(app, options, err);
    openGame(app);
    if (options.script == "-") return playScript(app, in, out, err, shot, "standard input");
    return playScript(app, file, out, err, shot, "script " + options.script);
}

int playWindowed(LiveInput& input, const Options& options, std::ostream& err, const Backends& backends) {
    try {
        backends.windows(input, options.scale);
    } catch (const PlatformError& e) {
        err << "krax: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

// The script is read whole and checked before the windows open.
int replay(const Options& options, std::ostream& out, std::ostream& err, const Backends& backends) {
    std::ifstream file;
    if (!openScriptFile(*options.replay, file, err)) return 2;
    rt::App app;
    prepare(app, options, err);
    PacedScript script(app, file, out, err, "script " + *options.replay);
    if (script.status() != 0) return script.status();
    Replay replay(app, script, options.speed.value_or(1));
    if (const int status = playWindowed(replay, options, err, backends)) return status;
    return script.status();
}

int play(const Options& options, std::ostream& out, std::ostream& err, const Backends& backends) {
    if (!backends.windows) {
        err << "krax: this build has no windows; use --headless\n";
        return 1;
    }
    if (options.replay) return replay(options, out, err, backends);
    rt::App app;
    prepare(app, options, err);
    if (!options.record) {
        LiveInput input(app);
        return playWindowed(input, options, err, backends);
    }
    errno = 0;
    std::ofstream file(*options.record);
    if (!file) {
        err << "krax: cannot write the recording " << *options.record << ": "
            << (errno ? std::generic_category().message(errno) : "cannot open it") << '\n';
        return 2;
    }
    Recorder recorder(app, {&file, *options.record, nullptr}, err);
    return playWindowed(recorder, options, err, backends);
}
}  // namespace

int runCommandLine(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err,
                   const Backends& backends) {
    Options options;
    try {
        options = parse(args);
    } catch (const BadArguments& e) {
        err << "krax: " << e.what() << '\n';
        return 2;
    }
    if (options.help) {
        out << kUsage;
        return 0;
    }
    if (options.version) {
        out << "krax " << kVersion << '\n';
        return 0;
    }
    if (!options.headless) return play(options, out, err, backends);
    return playHeadless(options, in, out, err, backends.shot);
}

}  // namespace shell
