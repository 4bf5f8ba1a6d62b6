#include "shell/rounds/round_folder.hpp"

#include "shell/rounds/round_names.hpp"
#include "shell/values/numbers.hpp"

#include <algorithm>
#include <ctime>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace shell {

namespace {
// Two games that make their rounds at once each take the next free number.
constexpr int kTries = 1000;

// The folder's entries; none where there is no folder (yet).
std::vector<std::filesystem::path> entries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        files.push_back(it->path());
    return files;
}

std::string localTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    std::ostringstream text;
    text << std::put_time(&local, "%Y-%m-%d %H:%M");
    return text.str();
}

std::string minutesAndSeconds(rt::Millis length) {
    const rt::Millis seconds = length / 1000;
    std::ostringstream text;
    text << seconds / 60 << ':' << std::setw(2) << std::setfill('0') << seconds % 60;
    return text.str();
}
}  // namespace

std::vector<KeptRound> RoundFolder::rounds() {
    std::vector<KeptRound> rounds;
    for (const std::filesystem::path& file : entries(folder_)) {
        const auto number = roundNumberOf(file);
        std::string why;
        if (!number || !std::filesystem::is_regular_file(file)) {
            skip(file, "it is not a round the game kept");
        } else if (auto round = readKeptRound(file, *number, why)) {
            rounds.push_back(std::move(*round));
        } else {
            skip(file, why);
        }
    }
    std::sort(rounds.begin(), rounds.end(), [](const auto& a, const auto& b) { return a.number > b.number; });
    return rounds;
}

std::optional<KeptRound> RoundFolder::find(std::string_view name) {
    if (name == "last") {
        auto all = rounds();
        if (all.empty()) return std::nullopt;
        return std::move(all.front());
    }
    const auto number = wholeNumber(name);
    if (!number || *number < 0) return std::nullopt;
    const std::filesystem::path file = folder_ / roundFileName(std::uint64_t(*number));
    std::string why;
    if (!std::filesystem::exists(file)) return std::nullopt;
    auto round = readKeptRound(file, std::uint64_t(*number), why);
    if (!round) skip(file, why);
    return round;
}

std::unique_ptr<NewFile> RoundFolder::make(std::uint64_t& number, std::error_code& error) {
    number = 0;
    for (const std::filesystem::path& file : entries(folder_))
        if (const auto n = roundNumberOf(file)) number = std::max(number, *n);
    for (int tries = 0; tries < kTries; ++tries) {
        auto file = NewFile::make(folder_ / roundFileName(++number), error);
        if (file || error != std::errc::file_exists) return file;
    }
    return nullptr;
}

void RoundFolder::tidy(std::size_t newest, std::size_t best) {
    std::vector<KeptRound> all = rounds();
    std::vector<KeptRound> byHits = all;
    std::stable_sort(byHits.begin(), byHits.end(), [](const auto& a, const auto& b) {
        return a.hits != b.hits ? a.hits > b.hits : a.number < b.number;
    });
    std::set<std::uint64_t> kept;
    for (std::size_t i = 0; i < all.size() && i < newest; ++i) kept.insert(all[i].number);
    for (std::size_t i = 0; i < byHits.size() && i < best; ++i) kept.insert(byHits[i].number);
    for (const KeptRound& round : all) {
        std::error_code ignored;  // a round that cannot go now goes another time
        if (!kept.contains(round.number)) std::filesystem::remove(round.file, ignored);
    }
}

void RoundFolder::skip(const std::filesystem::path& file, const std::string& why) {
    if (!skipped_.insert(file).second) return;
    err_ << "krax: skipped " << utf8(file) << ": " << why << '\n';
}

void listRounds(const std::vector<KeptRound>& rounds, std::ostream& out) {
    for (const KeptRound& round : rounds)
        out << std::setw(6) << round.number << "  " << localTime(round.written) << "  " << std::setw(4) << round.hits
            << " hits  " << minutesAndSeconds(round.length) << '\n';
}

}  // namespace shell
