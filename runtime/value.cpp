#include "runtime/value.hpp"

#include "runtime/single_text.hpp"

namespace rt {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string format(const Value& value) {
    struct Formatter {
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(Integer n) const { return text(n); }
        std::string operator()(Long n) const { return std::to_string(n); }
        std::string operator()(Single x) const { return singleText(x); }
        std::string operator()(const std::string& s) const { return quoted(s); }
    };
    return std::visit(Formatter{}, value);
}

}  // namespace rt
