#include "shell/script/scripted_input_box.hpp"

#include <ostream>

namespace shell {

std::optional<std::string> ScriptedInputBox::ask(std::string_view prompt, std::string_view title) {
    if (answers_.empty()) {
        err_ << "krax: input box \"" << title << "\" (\"" << prompt << "\") found no answer waiting; answered Cancel\n";
        return std::nullopt;
    }
    auto next = std::move(answers_.front());
    answers_.pop_front();
    return next;
}

}  // namespace shell
