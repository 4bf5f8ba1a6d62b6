// The game in windows, on Linux (X11, Wayland) and Windows. Of the seam it implements:
//   drawing       each window's own pixels, drawn on the processor (pixel_window.hpp)
//   windows       one window per shown screen, stacked, activated and closed as the
//                 window system says (form_window.hpp, in a WindowSet)
//   input         mouse, keys and typed text, translated at the edge and fed through
//                 LiveInput, so that a Recorder or a Replay can stand in between
//   input box     a modal window of its own (input_box_window.hpp), which also shows a
//                 replay's answer as if typed
//   wake-up       sleeps in SDL_WaitEventTimeout until LiveInput::nextWake() or input,
//                 then catchUp at the real clock's time
//   sound         what the hearing names, mixed into SDL's own audio, opened for the
//                 first sound and closed again in silence (audio_out.hpp)
//   recording and replay: through LiveInput (shell/script/recorder.hpp, replay.hpp)
//   screenshots   a screen drawn off screen into a PNG (screenshot.hpp), for `shot`
#pragma once

#include "shell/backend.hpp"
#include "shell/live_input.hpp"

namespace shell {

// Opens the first screen of `input`'s app and plays while `input` is playing, feeding
// the app through `input` and playing what the options' hearing hears. Without a
// scale, the desktop's own (see shell/sdl/window_scale.hpp). Throws PlatformError when
// there is no display or a window cannot be made.
void playInWindows(LiveInput& input, const WindowOptions& options);

}  // namespace shell
