// The version of the game's rules: what a player's input does, and when. A link to a
// round names it, so that a round is only ever played by the rules that made it. Bump
// it with any change that could make a recorded round play differently: a screen, a
// control, a handler, a timer's interval, the random sequence, the order of the screens.
#pragma once

namespace game {

inline constexpr int kRulesVersion = 1;

}  // namespace game
