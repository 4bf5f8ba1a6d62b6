// What the page's own script (krax_library.js) does for the web backend: the window
// elements, drawing on their canvases, the prompt and the page's last word. Names
// and sizes are in CSS pixels of the client area; drawing is at one CSS pixel per
// screen pixel, the canvas holding as many device pixels as the display has.
#pragma once

extern "C" {

// A window element for a shown screen: a title bar with the caption and a close box
// unless borderless, then a canvas of the client area's size.
void kraxWindowOpen(const char* form, const char* caption, bool borderless, int width, int height);
void kraxWindowClose(const char* form);
// Stacking order: depth 0 is the frontmost window.
void kraxWindowDepth(const char* form, int depth);

// Drawing on one window's canvas, between begin and end.
void kraxBeginDraw(const char* form);
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

// No screen is loaded any more: the page says so and offers to start again.
void kraxEnded();
}
