// The commands that act as the player would: click, move, key, close.
#pragma once

#include "shell/script/script_session.hpp"

#include <string_view>

namespace shell {

inline constexpr std::string_view kClickUsage = "click FORM.CONTROL [left|right] or click FORM X Y [left|right]";

void click(Session& session, Words words);
void move(Session& session, Words words);
void key(Session& session, Words words);
void close(Session& session, Words words);

}  // namespace shell
