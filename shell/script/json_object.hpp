// A small JSON writer for state dumps: one object, members in the order added.
#pragma once

#include "runtime/value.hpp"

#include <string>
#include <string_view>

namespace shell {

class JsonObject {
public:
    // Booleans as true/false, numbers as numbers (null if not finite), texts as strings.
    JsonObject& add(std::string_view key, const rt::Value& value);
    JsonObject& add(std::string_view key, const JsonObject& object);
    // The object as one line of JSON.
    std::string text() const { return "{" + members_ + "}"; }

private:
    JsonObject& member(std::string_view key, const std::string& json);

    std::string members_;
};

// A text as a JSON string, with quotes, backslashes and control characters escaped.
// The result is always UTF-8: a byte of the text that is no part of a well-formed
// UTF-8 character (a code box takes any bytes) is written \u00XX, as its Latin-1 reading.
std::string jsonString(std::string_view text);

}  // namespace shell
