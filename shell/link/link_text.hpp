// A link to a round: the address of a site that plays rounds, with the round in its
// fragment, which a browser keeps to itself: SITE#r=TAPE, the tape in base64url.
#pragma once

#include "shell/link/tape_codec.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace shell {

// Longer links are neither made nor read: a chat message or a QR code holds far less.
inline constexpr std::size_t kLongestLink = 16 * 1024;

// The link to the tape's round on `site`. Throws LinkError for a round too long for a
// link (kLongestLink) or that the format cannot hold.
std::string linkTo(std::string_view site, const Tape& tape, const TapeRules& rules);

// Whether `text` is meant as a link: an address with a fragment that starts "r=".
bool looksLikeLink(std::string_view text);

// The tape of a link. Throws LinkError, saying what is wrong, for text that is no link
// to a round, one too long, damaged, or made by a newer KRAX or other rules.
Tape tapeOfLink(std::string_view link, const TapeRules& rules);

}  // namespace shell
