#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wide_pattern.h"

inline constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

// The first occurrence of each pattern in bytes[0, size), all found in one
// pass over the bytes; NotFound where a pattern does not occur.  An empty
// pattern occurs at 0.
std::vector<std::size_t> FindFirstOccurrences(const std::uint8_t* bytes, std::size_t size,
                                              const std::vector<const BytePattern*>& patterns);

// The first occurrence of the pattern in bytes[0, size) that starts at or
// after `from`, or NotFound.
std::size_t FindFirstOccurrence(const std::uint8_t* bytes, std::size_t size, std::size_t from,
                                const BytePattern& pattern);
