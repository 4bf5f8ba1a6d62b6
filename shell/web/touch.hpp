// Fingers and pens on a window's canvas play as the game's mouse (see Fingers): the
// browser's pointer events reach the page's fingers, the window coming to the front
// on a finger's landing as it does on a press of the mouse.
#pragma once

namespace shell {

class PageWindow;

// For as long as the window is in the page.
void listenToFingers(PageWindow& window);

}  // namespace shell
