#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

using BytePattern = std::vector<std::uint8_t>;

// The UTF-16LE bytes of a text, as the host executable stores its interface
// texts: two bytes per character, no byte-order mark, no terminator.
BytePattern WidePattern(std::u16string_view text);
