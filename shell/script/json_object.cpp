#include "shell/script/json_object.hpp"

#include <cmath>
#include <cstdio>

namespace shell {

namespace {
std::string escaped(char c) {
    switch (c) {
        case '"': return "\\\"";
        case '\\': return "\\\\";
        case '\n': return "\\n";
        case '\r': return "\\r";
        case '\t': return "\\t";
        default: break;
    }
    if (static_cast<unsigned char>(c) >= 0x20) return std::string(1, c);
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
    return code;
}

struct JsonValue {
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(rt::Single x) const { return std::isfinite(x) ? rt::format(x) : "null"; }
    std::string operator()(const std::string& s) const { return jsonString(s); }
    template <class WholeNumber>
    std::string operator()(WholeNumber n) const { return rt::format(n); }
};
}  // namespace

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (char c : text) json += escaped(c);
    return json + '"';
}

JsonObject& JsonObject::add(std::string_view key, const rt::Value& value) {
    return member(key, std::visit(JsonValue{}, value));
}

JsonObject& JsonObject::add(std::string_view key, const JsonObject& object) { return member(key, object.text()); }

JsonObject& JsonObject::member(std::string_view key, const std::string& json) {
    if (!members_.empty()) members_ += ',';
    members_ += jsonString(key) + ':' + json;
    return *this;
}

}  // namespace shell
