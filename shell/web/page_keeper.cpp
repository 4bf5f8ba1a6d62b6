#include "shell/web/page_keeper.hpp"

#include "shell/game_start.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/sound/hearing.hpp"
#include "shell/web/browser.hpp"

#include <emscripten/emscripten.h>

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace shell {

namespace {
// A piece goes to the storage once it holds this many bytes or the oldest of its lines
// has waited this long: a minute's round is a few pieces, and a page that is killed
// loses at most the last few seconds.
constexpr std::size_t kPieceBytes = 16 * 1024;
constexpr double kPieceMs = 10'000;
constexpr std::string_view kEnded = "# How the game stood when it ended.";
const std::string kEndHits = "expect " + std::string(gameScreen()) + ".intHits ";

PageKeeper* pageKeeper = nullptr;  // the page's one, for the page's own scripts
}  // namespace

PageKeeper::PageKeeper(rt::App& app) : app_(app), recorder_(app, {.rounds = this}, std::cerr) { pageKeeper = this; }

void PageKeeper::begin() {
    round_.clear();
    stored_ = 0;
    hits_ = 0;
    timeUp_ = false;
    ending_ = false;
    began_ = app_.now();
    kraxKeepBegin();
}

void PageKeeper::line(const std::string& text) {
    if (round_.size() == stored_) pieceBegan_ = emscripten_get_now();
    round_ += text;
    round_ += '\n';
    // A round's last lines come once the next round has begun: they say its hits.
    ending_ = ending_ || text == kEnded;
    if (!ending_)
        look();
    else if (text.starts_with(kEndHits))
        hits_ = std::stoi(text.substr(kEndHits.size()));
    if (round_.size() - stored_ >= kPieceBytes || emscripten_get_now() - pieceBegan_ >= kPieceMs) store(false);
}

void PageKeeper::end() {
    store(true);
    previous_ = std::move(round_);
    round_.clear();
    timeUp_ = false;
}

void PageKeeper::keepNow() {
    if (round_.size() > stored_) store(false);
}

std::string PageKeeper::link(std::string_view site) const {
    std::istringstream script(timeUp_ ? round_ : previous_);
    return roundLink(script, "the round", site);
}

void PageKeeper::store(bool ended) {
    const std::string piece = round_.substr(stored_);
    stored_ = round_.size();
    kraxKeepPiece(piece.c_str(), hits_, double(app_.now() - began_), ended);
}

// The hits so far, and whether the round is played out, which makes it one to share.
void PageKeeper::look() {
    const sound::RoundView view = sound::look(app_);
    if (!view.made) return;
    hits_ = view.hits;
    timeUp_ = timeUp_ || view.timeLeft == 0;
    const bool shareable = timeUp_ || !previous_.empty();
    if (shareable != shareable_) kraxShareable(shareable_ = shareable);
}

}  // namespace shell

// window.krax.link(): the link to the last round played out, on the page's own site;
// '=' and the link, or '!' and why there is none.
extern "C" EMSCRIPTEN_KEEPALIVE const char* krax_round_link(const char* site) {
    static std::string answer;
    try {
        if (!shell::pageKeeper) throw std::runtime_error("no round of the player's is played in this page");
        answer = "=" + shell::pageKeeper->link(site);
    } catch (const std::exception& e) {
        answer = std::string("!") + e.what();
    }
    return answer.c_str();
}

// The page is going away, or the game has ended: what is not kept yet goes now.
extern "C" EMSCRIPTEN_KEEPALIVE void krax_keep_now() {
    if (shell::pageKeeper) shell::pageKeeper->keepNow();
}
