#include "shell/script/script_values.hpp"

#include "shell/script/script_error.hpp"

#include <limits>
#include <string>

namespace shell {

namespace {
struct Reader {
    const Word& word;

    rt::Value operator()(bool) const {
        if (!word.quoted && (word.text == "True" || word.text == "False")) return word.text == "True";
        throw ScriptError("expected True or False, not " + written(word));
    }
    rt::Value operator()(rt::Integer) const {
        return rt::Integer(static_cast<int>(wholeNumberIn(word, rt::Integer::kMin, rt::Integer::kMax)));
    }
    rt::Value operator()(rt::Long) const {
        using Limits = std::numeric_limits<rt::Long>;
        return static_cast<rt::Long>(wholeNumberIn(word, Limits::min(), Limits::max()));
    }
    rt::Value operator()(rt::Single) const {
        const auto x = word.quoted ? std::nullopt : number(word.text);
        if (!x) throw ScriptError("expected a number, not " + written(word));
        return *x;
    }
    rt::Value operator()(const std::string&) const { return word.text; }
};
}  // namespace

std::int64_t wholeNumberIn(const Word& word, std::int64_t low, std::int64_t high) {
    const auto n = word.quoted ? std::nullopt : wholeNumber(word.text);
    if (!n || *n < low || *n > high)
        throw ScriptError("expected a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                          ", not " + written(word));
    return *n;
}

rt::Value valueLike(const Word& word, const rt::Value& like) { return std::visit(Reader{word}, like); }

}  // namespace shell
