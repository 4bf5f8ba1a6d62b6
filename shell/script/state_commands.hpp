// The commands that write, check and show the program's state: set, expect, print, dump;
// and sounds, which checks what the game played.
#pragma once

#include "shell/script/script_session.hpp"

namespace shell {

void set(Session& session, Words words);
void expect(Session& session, Words words);
void print(Session& session, Words words);
void dump(Session& session, Words words);
void sounds(Session& session, Words words);

}  // namespace shell
