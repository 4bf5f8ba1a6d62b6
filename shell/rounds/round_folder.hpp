// The folder of kept rounds. It holds no index: the rounds are listed from the files
// themselves, each numbered after every round in the folder when it is made. A file
// that is no kept round is left as it is and said once.
#pragma once

#include "shell/rounds/kept_round.hpp"
#include "shell/rounds/new_file.hpp"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace shell {

class RoundFolder {
public:
    // Files that are no kept rounds are said on `err`, one line each, once.
    RoundFolder(std::filesystem::path folder, std::ostream& err) : folder_(std::move(folder)), err_(err) {}

    const std::filesystem::path& path() const { return folder_; }
    // The kept rounds, newest first.
    std::vector<KeptRound> rounds();
    // The round named "last" (the newest) or by its number; nullopt where none is.
    std::optional<KeptRound> find(std::string_view name);
    // The file of a new round, numbered after every round in the folder; nullptr, with
    // the reason in `error`, when none can be made.
    std::unique_ptr<NewFile> make(std::uint64_t& number, std::error_code& error);
    // Lets the rounds go but the newest `newest` and the `best` with the most hits (the
    // earlier of two with as many).
    void tidy(std::size_t newest, std::size_t best);

private:
    void skip(const std::filesystem::path& file, const std::string& why);

    std::filesystem::path folder_;
    std::ostream& err_;
    std::set<std::filesystem::path> skipped_;
};

// One line a round, as `krax --rounds` lists them: the number, the date and time its
// last line was written (local time), the hits and the length.
void listRounds(const std::vector<KeptRound>& rounds, std::ostream& out);

}  // namespace shell
