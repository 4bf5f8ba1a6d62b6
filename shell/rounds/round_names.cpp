#include "shell/rounds/round_names.hpp"

#include <cstdlib>
#include <string_view>

namespace shell {

namespace {
constexpr std::string_view kPrefix = "round-";
constexpr std::string_view kSuffix = ".script";
constexpr std::size_t kDigits = 6;  // at least: the names sort as the numbers do up to a million

#ifdef _WIN32
constexpr const char* kNoHome = "LOCALAPPDATA is not set";

std::optional<std::filesystem::path> homeOfState() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local) return std::nullopt;
    return std::filesystem::path(local) / L"KRAX";
}
#else
constexpr const char* kNoHome = "neither XDG_STATE_HOME nor HOME is set";

// The XDG base directories: a relative XDG_STATE_HOME is to be ignored.
std::optional<std::filesystem::path> homeOfState() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && std::filesystem::path(state).is_absolute()) return std::filesystem::path(state) / "krax";
    const char* home = std::getenv("HOME");
    if (!home || !*home) return std::nullopt;
    return std::filesystem::path(home) / ".local" / "state" / "krax";
}
#endif
}  // namespace

const char* const kNoRoundsFolder = kNoHome;

std::optional<std::filesystem::path> roundsFolder() {
    const auto home = homeOfState();
    if (!home) return std::nullopt;
    return *home / "rounds";
}

std::string roundFileName(std::uint64_t number) {
    std::string digits = std::to_string(number);
    if (digits.size() < kDigits) digits.insert(0, kDigits - digits.size(), '0');
    return std::string(kPrefix) + digits + std::string(kSuffix);
}

std::optional<std::uint64_t> roundNumberOf(const std::filesystem::path& file) {
    const std::string name = utf8(file.filename());
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return std::nullopt;
    const std::string_view digits = std::string_view(name).substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() < kDigits || digits.size() > 19) return std::nullopt;
    std::uint64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + std::uint64_t(c - '0');
    }
    // Only the name the game itself gives that number.
    if (roundFileName(number) != name) return std::nullopt;
    return number;
}

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace shell
