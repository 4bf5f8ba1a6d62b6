// Splitting a scenario line into words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct Word {
    std::string text;     // with the quotes removed and the escapes resolved
    bool quoted = false;  // written in double quotes: always a text
};

// The words of one line, separated by spaces or tabs. A word in double quotes may hold
// spaces; inside it \" stands for a quote and \\ for a backslash. An empty result means
// the line is blank or a comment (first non-blank character '#'). Throws ScriptError
// for an unclosed quote, an unknown escape or a quote inside a bare word.
std::vector<Word> splitWords(std::string_view line);

// The word as the script wrote it, for messages.
std::string written(const Word& word);

}  // namespace shell
