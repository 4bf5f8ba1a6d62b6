// The commands that act as the player would: click, move, key, close; and the single
// events of a window session, as a recording of one has them: down, up, keypress,
// keyup, activate.
#pragma once

#include "shell/script/script_error.hpp"
#include "shell/script/script_session.hpp"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace shell {

inline constexpr std::string_view kClickUsage = "click FORM.CONTROL [left|right] or click FORM X Y [left|right]";

// Mouse buttons by the names scripts give them, with the Button value of the game's
// mouse events; for a move, the buttons held.
inline constexpr std::array<std::pair<int, std::string_view>, 3> kButtonWords{
    {{rt::kLeftButton, "left"}, {rt::kRightButton, "right"}, {rt::kMiddleButton, "middle"}}};
inline constexpr std::array<std::pair<int, std::string_view>, 4> kHeldWords{
    {{0, "none"}, {rt::kLeftButton, "left"}, {rt::kRightButton, "right"}, {rt::kLeftButton | rt::kRightButton, "left+right"}}};

// A word of one of the tables of names, read as its value; throws ScriptError for a
// word the table lacks.
template <std::size_t N>
int named(const std::array<std::pair<int, std::string_view>, N>& table, const Word& word) {
    std::string names;
    for (const auto& [value, name] : table) {
        if (!word.quoted && word.text == name) return value;
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    throw ScriptError("expected one of " + names + ", not " + written(word));
}

// Where a `click` line clicks, and with which button: the centre of FORM.CONTROL or
// FORM X Y, on a shown screen, inside its client area. Throws ScriptError as `click` does.
struct ClickAt {
    rt::Form& form;
    rt::Single x, y;
    int button;
};
ClickAt clickAt(rt::App& app, Words words);

void click(Session& session, Words words);
void move(Session& session, Words words);
void key(Session& session, Words words);
void close(Session& session, Words words);

void down(Session& session, Words words);
void up(Session& session, Words words);
void keypress(Session& session, Words words);
void keyup(Session& session, Words words);
void activate(Session& session, Words words);

}  // namespace shell
