// Bytes as the letters, digits, '-' and '_' of base64url, without padding: text that
// an address's fragment carries as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

std::string base64url(std::span<const std::uint8_t> bytes);

// nullopt for a character outside the alphabet, a length no bytes encode to, or bits
// left over that are not zeros (so that each bytes have one text).
std::optional<std::vector<std::uint8_t>> fromBase64url(std::string_view text);

}  // namespace shell
