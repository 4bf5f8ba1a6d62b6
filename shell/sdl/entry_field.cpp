#include "shell/sdl/entry_field.hpp"

#include "shell/values/utf8_bytes.hpp"

#include <algorithm>
#include <vector>

namespace shell {

namespace {
// More characters than fit in the field at any size, however narrow they are.
constexpr std::size_t kMostShown = 400;

bool isControl(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

// The byte offsets where the last `most` characters of `text` start, first to last.
std::vector<std::size_t> lastStarts(std::string_view text, std::size_t most) {
    std::vector<std::size_t> starts;
    for (std::size_t i = text.size(); i > 0 && starts.size() < most;)
        if (!continuesCharacter(text[--i])) starts.push_back(i);
    std::reverse(starts.begin(), starts.end());
    return starts;
}
}  // namespace

void EntryField::type(std::string_view typed) {
    for (std::size_t i = 0; i < typed.size();) {
        std::size_t end = i + 1;
        while (end < typed.size() && continuesCharacter(typed[end])) ++end;
        if (!isControl(typed[i])) {
            if (characters_ == kLongest) return;
            text_.append(typed.substr(i, end - i));
            ++characters_;
        }
        i = end;
    }
}

void EntryField::paste(std::string_view pasted) { type(pasted.substr(0, pasted.find_first_of("\r\n"))); }

void EntryField::erase() {
    while (!text_.empty() && continuesCharacter(text_.back())) text_.pop_back();
    if (text_.empty()) return;
    text_.pop_back();
    --characters_;
}

std::size_t shownFrom(std::string_view text, int room, const std::function<int(std::string_view)>& width) {
    const std::vector<std::size_t> starts = lastStarts(text, kMostShown);
    const auto fits = std::partition_point(starts.begin(), starts.end(),
                                           [&](std::size_t start) { return width(text.substr(start)) > room; });
    return fits == starts.end() ? text.size() : *fits;
}

}  // namespace shell
