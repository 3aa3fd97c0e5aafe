#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "patch_image.h"
#include "wide_pattern.h"

struct PatternPair {
    BytePattern search;
    BytePattern replacement;  // same length as search
};

// For each pair in order, overwrites the first occurrence of its search
// pattern in the image, as already changed by the pairs before it, with its
// replacement.  Matches may start at any byte offset.  Returns the index of
// the first pair whose pattern does not occur; the image is then partly
// changed and must be discarded.
std::optional<std::size_t> ApplyPatternPairs(PatchImage& image,
                                             const std::vector<PatternPair>& pairs);
