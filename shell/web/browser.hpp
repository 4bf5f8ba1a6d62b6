// What the page's own scripts (krax_library.js, fit_library.js, touch_library.js,
// input_box_library.js, sound_library.js) do for the web backend: the window elements
// and their fit to the page, drawing on their canvases, fingers, the input box, sound
// and the page's last word. Sizes and positions are in pixels of the client area (one
// per 15 twips) unless they say otherwise; the desk's scale and the display's density
// turn them into the canvas's device pixels.
#pragma once

extern "C" {

// A window element for a shown screen: a title bar with the caption and a close box
// unless borderless, then a canvas of the client area's size.
void kraxWindowOpen(const char* form, const char* caption, bool borderless, int width, int height);
void kraxWindowClose(const char* form);
// Stacking order: depth 0 is the frontmost window.
void kraxWindowDepth(const char* form, int depth);
// Scales and places the windows so that every one of them is seen whole in the page,
// the largest filling it; gives the scale, CSS pixels per client-area pixel.
double kraxFitDesk();

// Fingers and pens on `form`'s canvas: callback(data, kind, finger, x, y) with kind 0
// down, 1 move, 2 up, 3 cancelled, and x, y in CSS pixels from the canvas's top-left.
void kraxListenFingers(const char* form, void (*callback)(void*, int, int, double, double), void* data);

// Drawing on one window's canvas, between begin and end; no pixel outside the area
// changes.
void kraxBeginDraw(const char* form, int x, int y, int w, int h);
void kraxEndDraw();
void kraxClip(int x, int y, int w, int h);
void kraxFill(int x, int y, int w, int h, int r, int g, int b);
void kraxPicture(const char* name, int x, int y, int w, int h);
// A picture's own size; width -1 for a name the site has no picture of.
int kraxPictureWidth(const char* name);
int kraxPictureHeight(const char* name);
// `face` empty for the plain sans-serif.
int kraxTextWidth(const char* text, const char* face, int pixels, bool bold);
int kraxLineHeight(const char* face, int pixels, bool bold);
void kraxText(const char* text, const char* face, int pixels, bool bold, int r, int g, int b, int x, int y);

// The browser's modal prompt: the text typed, allocated with malloc for the caller
// to free, or null on Cancel.
char* kraxPrompt(const char* message);
// An input box of the page's own, over the windows, that shows a given answer: it
// opens empty, types `answer` a character every `typingMs`, leaves it in view for
// `readingMs`, then closes with OK (with Cancel where `ok` is false) and calls
// closed(data). Returns at once.
void kraxShowAnswer(const char* title, const char* prompt, const char* answer, bool ok, double typingMs,
                    double readingMs, void (*closed)(void*), void* data);

// No screen is loaded any more: the page says so and offers to start again.
void kraxEnded();

// Keeping rounds (keep_library.js). A round begins; a piece of its script (whole
// lines) goes to the browser's storage as one call, with the hits and the length in
// ms so far, and whether the round has ended.
void kraxKeepBegin();
void kraxKeepPiece(const char* lines, int hits, double lengthMs, bool ended);
// Whether the page offers a round's link to share.
void kraxShareable(bool shareable);

// Watching a link (replay_library.js): its `script` plays, ending with `hits` hits,
// which playing it through without windows took `playedMs` to find; or it cannot be
// played, for the reason given.
void kraxReplayShown(int hits, double playedMs, const char* script);
void kraxLinkRefused(const char* reason);

// Sound (sound_library.js). An effect's samples, 16-bit mono at the synthesizer's
// rate, made into an audio buffer of the page's under the effect's number and name.
void kraxSoundLoad(int effect, const char* name, const short* samples, int count);
// Starts an effect's buffer; nothing before the player's first touch, click or key.
void kraxSoundPlay(int effect);
// Whether the player left sound off, as the page's storage remembers.
bool kraxSoundRemembered();
// Shows the choice on the speaker control, and keeps it in the storage if `remember`.
void kraxSoundShow(bool muted, bool remember);
}
