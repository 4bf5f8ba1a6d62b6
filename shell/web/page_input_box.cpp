#include "shell/web/page_input_box.hpp"

#include "shell/web/browser.hpp"

#include <cstdlib>
#include <memory>

namespace shell {

std::optional<std::string> PageInputBox::ask(std::string_view prompt, std::string_view) {
    const std::unique_ptr<char, decltype(&std::free)> text = [&] {
        const RealClock::Still still(clock_);
        return std::unique_ptr<char, decltype(&std::free)>(kraxPrompt(std::string(prompt).c_str()), std::free);
    }();
    if (!text) return std::nullopt;
    return std::string(text.get());
}

void PageInputBox::show(std::string_view prompt, std::string_view title, const std::optional<std::string>& answer,
                        double speed) {
    shown_.push_back({std::string(prompt), std::string(title), answer, speed});
    if (shown_.size() > 1) return;
    still_.emplace(clock_);
    open();
}

void PageInputBox::open() {
    const Shown& box = shown_.front();
    kraxShowAnswer(box.title.c_str(), box.prompt.c_str(), box.answer.value_or("").c_str(), box.answer.has_value(),
                   kTypingMs / box.speed, kReadingMs / box.speed, hasClosed, this);
}

void PageInputBox::hasClosed(void* data) {
    auto& box = *static_cast<PageInputBox*>(data);
    box.shown_.erase(box.shown_.begin());
    if (box.showing()) return box.open();
    box.still_.reset();
    box.closed_();
}

}  // namespace shell
