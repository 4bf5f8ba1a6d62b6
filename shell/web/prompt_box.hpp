// The input box as the browser's own prompt, which is modal: the page's clock stands
// still while it is open. Browsers show no title on it, so only the prompt is shown.
#pragma once

#include "runtime/input_box.hpp"
#include "shell/real_clock.hpp"

namespace shell {

class PromptBox : public rt::InputBoxHost {
public:
    explicit PromptBox(RealClock& clock) : clock_(clock) {}
    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;

private:
    RealClock& clock_;
};

}  // namespace shell
