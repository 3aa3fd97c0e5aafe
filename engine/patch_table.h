#pragma once

#include <array>
#include <string_view>

// One entry of the language patch: an English interface text of the host
// executable and the French text of exactly the same length that replaces it.
struct PatchPair {
    std::u16string_view search;
    std::u16string_view replacement;
};

inline constexpr std::size_t PatchTableSize = 14;

// Applied in this order: some search texts hold shorter ones (4 holds 5,
// 6 holds 7, 13 holds 14), so the longer text must become French first.
extern const std::array<PatchPair, PatchTableSize> PatchTable;
