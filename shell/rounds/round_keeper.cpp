#include "shell/rounds/round_keeper.hpp"

#include "shell/rounds/round_names.hpp"

#include <ostream>
#include <utility>

namespace shell {

namespace {
// The heading and the `round` line: a file without both holds nothing to play.
constexpr std::size_t kPlayableLines = 2;
}  // namespace

RoundKeeper::RoundKeeper(std::filesystem::path folder, std::size_t newest, std::ostream& err)
    : folder_(std::move(folder), err), newest_(newest), err_(err) {}

void RoundKeeper::begin() {
    std::error_code error;
    std::filesystem::create_directories(folder_.path(), error);
    if (!error) file_ = folder_.make(number_, error);
    if (!file_) return lose(error);
    lines_ = 0;
    line("# Round " + std::to_string(number_) + " of krax, kept as it was played; krax --replay " +
         std::to_string(number_) + " plays it again.");
}

void RoundKeeper::line(const std::string& text) {
    if (!file_) return;
    std::error_code error;
    if (file_->write(text + '\n', error)) {
        ++lines_;
        kept_ = true;
        return;
    }
    lose(error);
}

void RoundKeeper::end() {
    if (file_) file_->sync();
    file_.reset();
}

void RoundKeeper::tidy() {
    if (kept_) folder_.tidy(newest_, kBest);
}

// What was written whole of the round stays: it plays up to there.
void RoundKeeper::lose(const std::error_code& error) {
    const bool made = file_ != nullptr;
    file_.reset();
    if (made && lines_ < kPlayableLines) {
        std::error_code ignored;
        std::filesystem::remove(folder_.path() / roundFileName(number_), ignored);
    }
    if (std::exchange(said_, true)) return;
    err_ << "krax: cannot keep rounds in " << utf8(folder_.path()) << ": " << error.message()
         << "; the game goes on without the rounds that cannot be written\n";
}

}  // namespace shell
