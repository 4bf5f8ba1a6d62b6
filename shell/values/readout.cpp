#include "shell/values/readout.hpp"

#include "shell/values/state_paths.hpp"

namespace shell {

std::string readout(rt::App& app, std::string_view path) {
    const rt::Value value = findSlot(app, path).read();
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return rt::format(value);
}

}  // namespace shell
