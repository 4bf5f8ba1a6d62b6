#include "shell/web/prompt_box.hpp"

#include "shell/web/browser.hpp"

#include <cstdlib>
#include <memory>

namespace shell {

std::optional<std::string> PromptBox::ask(std::string_view prompt, std::string_view) {
    const std::unique_ptr<char, decltype(&std::free)> text = [&] {
        const RealClock::Still still(clock_);
        return std::unique_ptr<char, decltype(&std::free)>(kraxPrompt(std::string(prompt).c_str()), std::free);
    }();
    if (!text) return std::nullopt;
    return std::string(text.get());
}

}  // namespace shell
