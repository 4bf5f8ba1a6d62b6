// The scale the windows open at when the command line names none, from the setting
// of the desktop that SDL's display belongs to.
#pragma once

namespace shell {

// The desktop's own scale, lowered until the largest screen fits the display the
// windows open on. Needs SDL's video started.
int scaleOfDesktop();

}  // namespace shell
