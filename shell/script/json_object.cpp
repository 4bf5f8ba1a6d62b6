#include "shell/script/json_object.hpp"

#include "shell/values/utf8_bytes.hpp"

#include <cmath>
#include <cstdio>

namespace shell {

namespace {
std::string codeOf(unsigned char byte) {
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(byte));
    return code;
}

// The length of the well-formed UTF-8 character at the start of `text`, or 0 when
// there is none there: no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t characterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    const unsigned lead = byte(0);
    const std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
    if (lead < 0xc2 || lead > 0xf4) return 0;
    // The second byte's range rules out overlong forms, surrogates and too high a code.
    const unsigned low = lead == 0xe0 ? 0xa0 : lead == 0xf0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xed ? 0x9f : lead == 0xf4 ? 0x8f : 0xbf;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!continuesCharacter(text[i])) return 0;
    return length;
}

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
    return codeOf(static_cast<unsigned char>(c));
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
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            json += escaped(text[i++]);
        } else if (const std::size_t length = characterLength(text.substr(i))) {
            json += text.substr(i, length);
            i += length;
        } else {
            json += codeOf(byte);  // a byte that is no part of a character, as if Latin-1
            ++i;
        }
    }
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
