#include "patch_search.h"

#include <algorithm>

std::optional<std::size_t> ApplyPatternPairs(std::vector<std::uint8_t>& image,
                                             const std::vector<PatternPair>& pairs) {
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const PatternPair& pair = pairs[k];
        auto match = std::search(image.begin(), image.end(), pair.search.begin(), pair.search.end());
        if (match == image.end() && !pair.search.empty()) return k;
        std::copy(pair.replacement.begin(), pair.replacement.end(), match);
    }
    return std::nullopt;
}
