// The modal text input box, as the backend provides it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt {

class InputBoxHost {
public:
    virtual ~InputBoxHost() = default;
    // Asks for a line of text with OK and Cancel; nullopt on Cancel.
    virtual std::optional<std::string> ask(std::string_view prompt, std::string_view title) = 0;
};

}  // namespace rt
