// The page's input box. Asked by the game, it is the browser's own prompt, which is
// modal: the page's clock stands still while it is open (browsers show no title on it,
// so only the prompt is shown). Shown with a replay's answer, which the prompt cannot
// show, it is a box of the page's own that types the answer and closes by itself;
// the browser cannot wait for it, so the clock stands still until it has closed, and
// the boxes of answers given meanwhile follow one another.
#pragma once

#include "shell/real_clock.hpp"
#include "shell/window_input_box.hpp"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace shell {

class PageInputBox : public WindowInputBox {
public:
    // `closed` is called when the last box shown has closed and the clock runs again.
    PageInputBox(RealClock& clock, std::function<void()> closed) : clock_(clock), closed_(std::move(closed)) {}

    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;
    void show(std::string_view prompt, std::string_view title, const std::optional<std::string>& answer,
              double speed) override;
    // A shown box is still open: nothing on the clock can happen till it closes.
    bool showing() const { return !shown_.empty(); }

private:
    struct Shown {
        std::string prompt, title;
        std::optional<std::string> answer;
        double speed;
    };
    void open();
    static void hasClosed(void* box);

    RealClock& clock_;
    std::function<void()> closed_;
    std::vector<Shown> shown_;  // the open box first
    std::optional<RealClock::Still> still_;  // while a shown box is open
};

}  // namespace shell
