// Keeps every round of a session played in windows, each in its own file of the folder
// of kept rounds, written a line at a time as it is played. A round that cannot be
// written (a full disk, a folder that cannot be made) is lost, said in one line once,
// and the game plays on.
#pragma once

#include "shell/rounds/round_folder.hpp"
#include "shell/script/round_shelf.hpp"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <system_error>

namespace shell {

class RoundKeeper : public RoundShelf {
public:
    // After the session the folder keeps the newest `newest` rounds and the 10 best.
    RoundKeeper(std::filesystem::path folder, std::size_t newest, std::ostream& err);

    void begin() override;
    void line(const std::string& text) override;
    void end() override;
    // Once the session is over: the rounds beyond those kept go.
    void tidy();

    static constexpr std::size_t kBest = 10;

private:
    void lose(const std::error_code& error);

    RoundFolder folder_;
    std::size_t newest_;
    std::ostream& err_;
    std::unique_ptr<NewFile> file_;
    std::uint64_t number_ = 0;
    std::size_t lines_ = 0;  // written whole in the round under way
    bool kept_ = false;      // a round was written this session
    bool said_ = false;
};

}  // namespace shell
