#include "shell/link/link_text.hpp"

#include "shell/link/base64url.hpp"

namespace shell {

namespace {
constexpr std::string_view kFragment = "#r=";
}

std::string linkTo(std::string_view site, const Tape& tape, const TapeRules& rules) {
    std::string link = std::string(site) + std::string(kFragment) + base64url(packTape(tape, rules));
    if (link.size() > kLongestLink)
        throw LinkError("the round is too long for a link: it takes " + std::to_string(link.size()) +
                        " characters, and a link holds " + std::to_string(kLongestLink));
    return link;
}

bool looksLikeLink(std::string_view text) { return text.find(kFragment) != std::string_view::npos; }

Tape tapeOfLink(std::string_view link, const TapeRules& rules) {
    if (link.size() > kLongestLink)
        throw LinkError("the link is too long: " + std::to_string(link.size()) + " characters, and a link holds " +
                        std::to_string(kLongestLink));
    const std::size_t at = link.rfind(kFragment);
    if (at == std::string_view::npos) throw LinkError("this is no link to a round: it has no #r= part");
    std::string_view payload = link.substr(at + kFragment.size());
    // What a chat or a mail may add at the end of a link it shows.
    while (!payload.empty() && (payload.back() == '.' || payload.back() == ' ' || payload.back() == '\n' || payload.back() == '\r'))
        payload.remove_suffix(1);
    const auto bytes = fromBase64url(payload);
    if (!bytes) throw LinkError("the link is damaged: its round holds characters a link to a round never has, or ends in the middle of one");
    if (bytes->empty()) throw LinkError("the link is damaged: its round is empty");
    return unpackTape(*bytes, rules);
}

}  // namespace shell
