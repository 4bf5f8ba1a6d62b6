// Every round the player plays in the page, recorded by the same recorder as the
// desktop's windows and kept in the browser's storage (keep_library.js) as it is
// played: in pieces of many lines, each one storage call, never a call per line. The
// last round's script stays at hand as well, for its link.
#pragma once

#include "runtime/app.hpp"
#include "shell/live_input.hpp"
#include "shell/script/recorder.hpp"
#include "shell/script/round_shelf.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace shell {

class PageKeeper : public RoundShelf {
public:
    explicit PageKeeper(rt::App& app);
    PageKeeper(const PageKeeper&) = delete;
    PageKeeper& operator=(const PageKeeper&) = delete;

    // What the page feeds the game through: the recorder.
    LiveInput& input() { return recorder_; }

    void begin() override;
    // The line reaches the storage with its piece.
    void line(const std::string& text) override;
    void end() override;
    // Whatever the storage does not have yet goes now: the page may be going away.
    void keepNow();

    // The link on `site` to the last round played out: the one under way once its
    // time is up, else the one before. Throws TapeRefused or LinkError.
    std::string link(std::string_view site) const;

private:
    void store(bool ended);
    void look();

    rt::App& app_;
    Recorder recorder_;
    std::string round_;     // the script of the round under way
    std::string previous_;  // of the round before, played out
    std::size_t stored_ = 0;       // how much of round_ the storage has
    double pieceBegan_ = 0;        // the page's time when the first line not stored came
    rt::Millis began_ = 0;         // the game's clock when the round began
    int hits_ = 0;
    bool timeUp_ = false;    // the round under way is played out
    bool ending_ = false;    // its last lines, which state how it ended, have begun
    bool shareable_ = false;
};

}  // namespace shell
