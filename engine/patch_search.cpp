#include "patch_search.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "pattern_scan.h"

namespace {

struct Span {
    std::size_t begin;
    std::size_t end;
};

bool MatchesAt(const PatchImage& image, std::size_t at, const BytePattern& pattern) {
    return std::equal(pattern.begin(), pattern.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

// One pass over the image finds the first occurrence of every search pattern
// in the bytes as read.  Pair k's first occurrence in the image as changed by
// pairs 1 to k-1 is then the earliest of:
//  - a match whose window overlaps a place already replaced: those windows
//    are few, and are checked one by one;
//  - the first match at or after its first occurrence in the bytes as read.
//    Before that occurrence, a window that overlaps no replaced place holds
//    the bytes as read and so cannot match.  The occurrence itself still
//    matches unless an earlier pair overwrote part of it; only then is the
//    image searched again, from just after it.
std::optional<std::size_t> ApplyPatternPairs(PatchImage& image, const std::vector<PatternPair>& pairs) {
    std::vector<const BytePattern*> searches;
    searches.reserve(pairs.size());
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (pairs[k].replacement.size() != pairs[k].search.size()) {
            throw std::invalid_argument("pattern pair " + std::to_string(k) +
                                        ": the replacement is not as long as the search pattern");
        }
        searches.push_back(&pairs[k].search);
    }
    const std::vector<std::size_t> firstAsRead = FindFirstOccurrences(image.data(), image.size(), searches);

    std::vector<Span> replaced;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const BytePattern& search = pairs[k].search;
        const std::size_t length = search.size();
        if (length == 0) continue;  // matches at the start and changes nothing
        if (length > image.size()) return k;

        std::size_t match = firstAsRead[k];
        if (match != NotFound && !MatchesAt(image, match, search)) {
            match = FindFirstOccurrence(image.data(), image.size(), match + 1, search);
        }
        const std::size_t lastStart = image.size() - length;
        for (const Span& place : replaced) {
            const std::size_t from = place.begin >= length - 1 ? place.begin - (length - 1) : 0;
            const std::size_t to = std::min(place.end - 1, lastStart);
            for (std::size_t at = from; at <= to && at < match; ++at) {
                if (MatchesAt(image, at, search)) {
                    match = at;
                    break;
                }
            }
        }
        if (match == NotFound) return k;

        std::copy(pairs[k].replacement.begin(), pairs[k].replacement.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(match));
        replaced.push_back({match, match + length});
    }
    return std::nullopt;
}
