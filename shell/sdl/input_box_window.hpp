// The modal input box of a window session: a prompt, an entry field, OK and Cancel.
// While it is open no other window takes input and the game's clock stands still.
#pragma once

#include "shell/real_clock.hpp"
#include "shell/sdl/fonts.hpp"
#include "shell/sdl/picture_store.hpp"
#include "shell/window_input_box.hpp"

namespace shell {

class InputBoxWindow : public WindowInputBox {
public:
    InputBoxWindow(RealClock& clock, PictureStore& pictures, Fonts& fonts, int scale)
        : clock_(clock), pictures_(pictures), fonts_(fonts), scale_(scale) {}

    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;
    void show(std::string_view prompt, std::string_view title, const std::optional<std::string>& answer,
              double speed) override;

private:
    RealClock& clock_;
    PictureStore& pictures_;
    Fonts& fonts_;
    int scale_;
};

}  // namespace shell
