#include "shell/script/script_words.hpp"

#include "runtime/value.hpp"
#include "shell/script/script_error.hpp"

namespace shell {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a quoted word starting at line[pos] == '"'; moves pos past the closing quote.
Word quotedWord(std::string_view line, std::size_t& pos) {
    Word word{"", true};
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            if (pos < line.size() && !isBlank(line[pos])) throw ScriptError("a quoted word must end at a space");
            return word;
        }
        if (c == '\\') {
            if (++pos == line.size()) break;
            c = line[pos];
            if (c != '"' && c != '\\') throw ScriptError(std::string("unknown escape \\") + c + " in a quoted word");
        }
        word.text += c;
    }
    throw ScriptError("a quoted word is not closed");
}

Word bareWord(std::string_view line, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) {
        if (line[pos] == '"') throw ScriptError("a quote inside a word; quote the whole word");
        ++pos;
    }
    return {std::string(line.substr(start, pos - start)), false};
}
}  // namespace

std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        if (pos == line.size()) return words;
        if (words.empty() && line[pos] == '#') return words;
        words.push_back(line[pos] == '"' ? quotedWord(line, pos) : bareWord(line, pos));
    }
}

std::string written(const Word& word) { return word.quoted ? rt::quoted(word.text) : word.text; }

}  // namespace shell
