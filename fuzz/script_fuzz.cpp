// Any bytes as a scenario script, played on a freshly started program. The driver may
// refuse a line or stop at an expect; what it must never do is crash, leak, read or
// write out of bounds or run into undefined behaviour.
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/script_values.hpp"
#include "shell/script/script_words.hpp"
#include "shell/sdl/screenshot.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// The fuzzer looks for faults, not for slow scripts: a script whose waits add up to
// more than this is not played (an endless round of rolls takes time in proportion).
constexpr std::int64_t kMostVirtualTime = 10 * 60 * 1000;

std::int64_t totalWait(std::string_view script) {
    std::int64_t total = 0;
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        const std::string_view line = script.substr(0, end);
        script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
        try {
            const auto words = shell::splitWords(line);
            if (words.size() < 2 || words[0].text != "wait") continue;
            const auto ms = shell::wholeNumber(words[1].text);
            if (ms && *ms > 0) total += std::min(*ms, kMostVirtualTime + 1);
        } catch (...) {  // a line the driver will refuse in its turn
        }
    }
    return total;
}

// Draws and encodes the screen as `shot` does, and writes nothing: a fuzzed file name
// could be anywhere.
void drawOnly(const rt::Form& form, const std::string&) { shell::screenPng(form); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (totalWait(text) > kMostVirtualTime) return -1;
    rt::App app;
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, 1);
    std::istringstream script(text);
    shell::playScript(app, script, out, err, drawOnly);
    return 0;
}
