// The game's screens and the ways between them, in one place: which screen the
// program opens on, what makes each screen, which button of which screen leads where,
// and which Continue button (and so which result screen) each score band shows. The
// backends only follow it.
#pragma once

#include "runtime/app.hpp"
#include "runtime/integer.hpp"

#include <array>
#include <string_view>

namespace game {

// The menu.
inline constexpr const char* kFirstScreen = "Form1";
// The screen of play; each time it loads, a round begins.
inline constexpr const char* kGameScreen = "Form2";

// A button picture and the screen it leads to.
struct Move {
    std::string_view screen;
    const char* button;
    std::string_view next;
    bool enablesNext = false;  // the reload button gives the game screen its input back
};

inline constexpr std::array<Move, 12> kMoves = {{
    {"Form1", "Image5", "Form2"},  // START
    {"Form1", "Image7", "Form7"},  // Help
    {"Form7", "Image2", "Form2"},  // Start
    {"Form2", "Image10", "Form3"},  // Continue: 71 to 90 hits
    {"Form2", "Image8", "Form4"},   // Continue: the lost round
    {"Form2", "Image11", "Form5"},  // Continue: 91 to 120 hits
    {"Form2", "Image12", "Form6"},  // Continue: 121 hits or more
    {"Form3", "Image3", "Form2"},  // Play Again
    {"Form4", "Image3", "Form2"},
    {"Form5", "Image3", "Form2"},
    {"Form6", "Image3", "Form2"},
    {"frmCredits", "Image2", "Form2", true},  // Reload
}};

// The score bands that decide, at the end of a round, which Continue button shows.
struct Band {
    int lowestHits;
    const char* button;  // the Continue picture of the band, a button of the game screen
};

inline constexpr std::array<Band, 4> kBands = {{
    {rt::Integer::kMin, "Image8"},  // 70 or less: the lost round
    {71, "Image10"},
    {91, "Image11"},
    {121, "Image12"},
}};

const Band& bandFor(rt::Integer hits);

// Defines every screen in `app`, with the handlers of its buttons.
void defineScreens(rt::App& app);

}  // namespace game
