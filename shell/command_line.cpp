#include "shell/command_line.hpp"

#include "shell/driver.hpp"
#include "shell/flow.hpp"
#include "shell/script_values.hpp"

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
    "usage: krax --headless [--seed N] [--script FILE]\n"
    "Plays a scenario script without a window, on a virtual clock.\n"
    "  --headless     run without a window (this build has no window backend yet)\n"
    "  --seed N       seed the random sequence with N, 0 to 4294967295, instead of the clock\n"
    "  --script FILE  read the script from FILE; without it, or with -, from standard input\n"
    "  --help         show this help\n"
    "Exit status: 0 the script ran and every expect held, 1 an expect did not hold,\n"
    "2 a line of the script or an argument could not be used.\n";

class BadArguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Options {
    bool help = false;
    bool headless = false;
    std::optional<std::uint32_t> seed;
    std::string script = "-";
};

std::uint32_t seedFrom(std::string_view text) {
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > std::numeric_limits<std::uint32_t>::max())
        throw BadArguments("--seed takes a whole number from 0 to 4294967295, not \"" + std::string(text) + "\"");
    return static_cast<std::uint32_t>(*n);
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
        else if (arg == "--headless") options.headless = true;
        else if (arg == "--seed") options.seed = seedFrom(value());
        else if (arg == "--script") options.script = value();
        else throw BadArguments("unknown argument \"" + std::string(arg) + "\"; see krax --help");
    }
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

int playHeadless(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    std::ifstream file;
    if (options.script != "-") {
        if (const std::string reason = openScript(options.script, file); !reason.empty()) {
            err << "krax: cannot read script " << options.script << ": " << reason << '\n';
            return 2;
        }
    }
    rt::App app;
    app.setErrorStream(err);
    defineScreens(app);
    if (options.seed) app.fixSeed(*options.seed);
    app.start(kFirstScreen);
    return playScript(app, options.script == "-" ? in : file, out, err);
}
}  // namespace

int runCommandLine(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
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
    if (!options.headless) {
        err << "krax: no window backend in this build yet; use --headless\n";
        return 1;
    }
    return playHeadless(options, in, out, err);
}

}  // namespace shell
