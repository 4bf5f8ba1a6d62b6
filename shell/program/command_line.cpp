#include "shell/program/command_line.hpp"

#include "shell/game_start.hpp"
#include "shell/program/identity.hpp"
#include "shell/program/sound_choice.hpp"
#include "shell/live_input.hpp"
#include "shell/values/numbers.hpp"
#include "shell/platform_error.hpp"
#include "shell/script/replay.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/recorder.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/program/script_source.hpp"
#include "shell/rounds/round_folder.hpp"
#include "shell/rounds/round_keeper.hpp"
#include "shell/rounds/round_names.hpp"
#include "shell/sound/hearing.hpp"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace shell {

namespace {
std::string usage() {
    return
    "usage: krax [--scale N] [--seed N] [--every-tick] [--mute] [--record FILE]\n"
    "            [--keep-rounds N]\n"
    "       krax --replay FILE [--speed N] [--scale N] [--mute]\n"
    "       krax --headless [--seed N] [--script FILE] [--every-tick]\n"
    "       krax --link FILE [--site URL]\n"
    "       krax --rounds | --version | --help\n"
    "Plays KRAX in windows, keeping every round; with --headless, plays a scenario script\n"
    "without a window, on a virtual clock. Wherever a FILE names a script, last (the\n"
    "last round kept), a kept round's number or a link to a round does too.\n"
    "  --scale N      draw N window pixels per screen pixel, 1 to 4; without it, the\n"
    "                 desktop's own scale (Xft.dpi, else GDK_SCALE; on Wayland the\n"
    "                 display's own density), lowered until the game screen fits\n"
    "  --record FILE  write the session in windows to FILE as a scenario script that\n"
    "                 krax --headless --script FILE plays again exactly\n"
    "  --replay FILE  play a recording, or any scenario script, in the windows at its\n"
    "                 own pace; the close box stops it (--replay last: the last round)\n"
    "  --rounds       list the kept rounds, newest first: number, date and time, hits,\n"
    "                 length\n"
    "  --keep-rounds N  keep the last N rounds (default 100) and the 10 best; 0 keeps\n"
    "                 none\n"
    "  --link FILE    print the link to the round that the recording FILE plays: the\n"
    "                 site's address with the round in it, to play it in a browser\n"
    "                 (--link last: the last round kept)\n"
    "  --site URL     with --link, the site the link points to (default " + std::string(kWebHome) + ")\n"
    "  --speed N      with --replay, play N times as fast, 0.25 to 8 (default 1)\n"
    "  --mute         start with sound off; the M key turns it on and off, and the\n"
    "                 game remembers the choice the player makes with it\n"
    "  --headless     run a scenario script without a window\n"
    "  --seed N       seed the random sequence with N, 0 to 4294967295, instead of the clock\n"
    "  --script FILE  read the script from FILE; without it, or with -, from standard input\n"
    "  --every-tick   run every timer tick, also of timers with nothing to do (the same\n"
    "                 game with more wake-ups; for comparing)\n"
    "  --version      show the version\n"
    "  --help         show this help\n"
    "Exit status: 0 the game or the script ran to its end and every expect held, 1 an\n"
    "expect did not hold, the game could not open its windows or a round is too long\n"
    "for a link, 2 a line of the script, an argument, a link or the recording's file\n"
    "could not be used, or the script could not be read.\n";
}

class BadArguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    bool help = false;
    bool version = false;
    bool headless = false;
    bool everyTick = false;
    bool mute = false;
    std::optional<std::uint32_t> seed;
    std::optional<int> scale;
    std::string script = "-";
    std::optional<std::string> record;
    std::optional<std::string> replay;
    std::optional<double> speed;
    std::optional<std::string> link;
    std::optional<std::string> site;
    bool rounds = false;
    std::optional<std::size_t> keepRounds;
};

// Rounds kept when --keep-rounds does not say.
constexpr std::size_t kNewestKept = 100;
constexpr std::int64_t kMostKept = 100000;

std::uint32_t seedFrom(std::string_view text) {
    const auto seed = seedNumber(text);
    if (!seed) throw BadArguments("--seed takes a whole number from 0 to 4294967295, not \"" + std::string(text) + "\"");
    return *seed;
}

int scaleFrom(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 1 || *n > kLargestScale)
        throw BadArguments("--scale takes a whole number from 1 to " + std::to_string(kLargestScale) + ", not \"" +
                           std::string(text) + "\"");
    return int(*n);
}

double speedFrom(std::string_view text) {
    const auto speed = number(text);
    if (!speed || !(*speed >= 0.25f && *speed <= 8))
        throw BadArguments("--speed takes a number from 0.25 to 8, not \"" + std::string(text) + "\"");
    return *speed;
}

std::size_t keepFrom(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > kMostKept)
        throw BadArguments("--keep-rounds takes a whole number from 0 to " + std::to_string(kMostKept) + ", not \"" +
                           std::string(text) + "\"");
    return std::size_t(*n);
}

// Options that do not go together.
void checkTogether(const Options& options) {
    if (options.headless && options.record) throw BadArguments("--record is for play in windows, not --headless");
    if (options.replay && (options.headless || options.record))
        throw BadArguments("--replay plays in windows, without --headless or --record");
    if (options.speed && !options.replay) throw BadArguments("--speed is for --replay");
    if (options.mute && options.headless) throw BadArguments("--mute is for play in windows, not --headless");
    if (options.link && (options.headless || options.record || options.replay || options.seed || options.scale ||
                         options.everyTick || options.mute || options.script != "-"))
        throw BadArguments("--link prints a link and plays nothing: it goes with --site alone");
    if (options.site && !options.link) throw BadArguments("--site is for --link");
    if (options.keepRounds && (options.headless || options.replay || options.link))
        throw BadArguments("--keep-rounds is for play in windows: a replay or --headless keeps no round");
    if (options.rounds && (options.headless || options.replay || options.record || options.keepRounds || options.link))
        throw BadArguments("--rounds lists the kept rounds and does nothing else");
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
        else if (arg == "--mute") options.mute = true;
        else if (arg == "--seed") options.seed = seedFrom(value());
        else if (arg == "--script") options.script = value();
        else if (arg == "--scale") options.scale = scaleFrom(value());
        else if (arg == "--record") options.record = value();
        else if (arg == "--replay") options.replay = value();
        else if (arg == "--speed") options.speed = speedFrom(value());
        else if (arg == "--link") options.link = value();
        else if (arg == "--site") options.site = value();
        else if (arg == "--rounds") options.rounds = true;
        else if (arg == "--keep-rounds") options.keepRounds = keepFrom(value());
        else throw BadArguments("unknown argument \"" + std::string(arg) + "\"; see krax --help");
    }
    checkTogether(options);
    return options;
}

// The game's screens, before the first one opens.
void prepare(rt::App& app, const Options& options, std::ostream& err) {
    app.setErrorStream(err);
    app.setQuietTimersSleep(!options.everyTick);
    setUpGame(app, options.seed);
}

int playHeadless(const Options& options, std::istream& in, std::ostream& out, std::ostream& err,
                 const ShotWriter& shot) {
    ScriptSource script;
    if (!script.open(options.script, in, err)) return 2;
    rt::App app;
    prepare(app, options, err);
    openGame(app);
    return playScript(app, script.stream(), out, err, shot, script.name());
}

// Sound starts off with --mute, else as the player last left it.
int playWindowed(LiveInput& input, sound::Hearing& hearing, const Options& options, std::ostream& err,
                 const Backends& backends) {
    hearing.setMuted(options.mute || rememberedMute());
    try {
        backends.windows(input, {options.scale, hearing, err});
    } catch (const PlatformError& e) {
        err << "krax: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

// The script is read whole and checked before the windows open.
int replay(const Options& options, std::istream& in, std::ostream& out, std::ostream& err, const Backends& backends) {
    ScriptSource source;
    if (!source.open(*options.replay, in, err)) return 2;
    rt::App app;
    prepare(app, options, err);
    PacedScript script(app, source.stream(), out, err, source.name());
    if (script.status() != 0) return script.status();
    Replay replay(app, script, options.speed.value_or(1));
    if (const int status = playWindowed(replay, script.hearing(), options, err, backends)) return status;
    return script.status();
}

// The link goes to standard output alone, so that it can be piped or copied whole.
int printLink(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    ScriptSource source;
    if (!source.open(*options.link, in, err)) return 2;
    try {
        out << roundLink(source.stream(), source.name(), options.site.value_or(kWebHome)) << '\n';
        return 0;
    } catch (const TapeRefused& e) {
        err << "krax: no link can hold " << source.name() << ": " << e.what() << '\n';
        return 2;
    } catch (const LinkError& e) {
        err << "krax: " << e.what() << '\n';
        return 1;
    }
}

// The keeper of this session's rounds; nullptr where none are kept.
std::unique_ptr<RoundKeeper> keeper(const Options& options, std::ostream& err) {
    const std::size_t newest = options.keepRounds.value_or(kNewestKept);
    if (newest == 0) return nullptr;
    const auto folder = roundsFolder();
    if (!folder) {
        err << "krax: rounds are not kept: " << kNoRoundsFolder << '\n';
        return nullptr;
    }
    return std::make_unique<RoundKeeper>(*folder, newest, err);
}

// Live play: recorded where --record asks, every round kept unless --keep-rounds 0.
int playLive(const Options& options, std::ostream& err, const Backends& backends) {
    std::ofstream file;
    if (options.record) {
        errno = 0;
        file.open(*options.record);
        if (!file) {
            err << "krax: cannot write the recording " << *options.record << ": "
                << (errno ? std::generic_category().message(errno) : "cannot open it") << '\n';
            return 2;
        }
    }
    rt::App app;
    prepare(app, options, err);
    // The player's own M is remembered; a replay's M is not.
    sound::Hearing hearing(app, false);
    hearing.setOnMuteKey([&err](bool muted) { rememberMute(muted, err); });
    const std::unique_ptr<RoundKeeper> rounds = keeper(options, err);
    if (!options.record && !rounds) {
        LiveInput input(app);
        return playWindowed(input, hearing, options, err, backends);
    }
    Recorder recorder(app, {options.record ? &file : nullptr, options.record.value_or(""), rounds.get()}, err);
    const int status = playWindowed(recorder, hearing, options, err, backends);
    if (rounds) rounds->tidy();
    return status;
}

int play(const Options& options, std::istream& in, std::ostream& out, std::ostream& err, const Backends& backends) {
    if (!backends.windows) {
        err << "krax: this build has no windows; use --headless\n";
        return 1;
    }
    if (options.replay) return replay(options, in, out, err, backends);
    return playLive(options, err, backends);
}

int listKeptRounds(std::ostream& out, std::ostream& err) {
    const auto folder = roundsFolder();
    if (!folder) {
        err << "krax: no rounds are kept: " << kNoRoundsFolder << '\n';
        return 2;
    }
    RoundFolder rounds(*folder, err);
    listRounds(rounds.rounds(), out);
    return 0;
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
        out << usage();
        return 0;
    }
    if (options.version) {
        out << "krax " << kVersion << '\n';
        return 0;
    }
    if (options.rounds) return listKeptRounds(out, err);
    if (options.link) return printLink(options, in, out, err);
    if (!options.headless) return play(options, in, out, err, backends);
    return playHeadless(options, in, out, err, backends.shot);
}

}  // namespace shell
