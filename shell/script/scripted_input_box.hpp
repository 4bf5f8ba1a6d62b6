// The input box as a scenario answers it: from the `answer` and `cancel` lines given
// so far, first given first used.
#pragma once

#include "runtime/input_box.hpp"

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace shell {

class ScriptedInputBox : public rt::InputBoxHost {
public:
    // Notes about boxes that found no answer waiting go to `err`.
    explicit ScriptedInputBox(std::ostream& err) : err_(err) {}

    void answer(std::string text) { answers_.emplace_back(std::move(text)); }
    void cancel() { answers_.emplace_back(std::nullopt); }

    // The next answer waiting; Cancel, with a note, when there is none.
    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;

private:
    std::ostream& err_;
    std::deque<std::optional<std::string>> answers_;
};

}  // namespace shell
