#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "patch_search.h"
#include "patch_table.h"
#include "pattern_scan.h"

namespace {

using Image = PatchImage;

// The definition ApplyPatternPairs must agree with: each pair in turn, a
// plain search from the start of the image as changed so far.  It also
// reports where each pair matched, so that the random cases can show they
// reach the situations that a single pass has to get right.
struct ReferenceRun {
    std::optional<std::size_t> missing;
    std::vector<std::size_t> matches;
};

ReferenceRun ApplySequentially(Image& image, const std::vector<PatternPair>& pairs) {
    ReferenceRun run;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const PatternPair& pair = pairs[k];
        auto match = std::search(image.begin(), image.end(), pair.search.begin(), pair.search.end());
        if (match == image.end() && !pair.search.empty()) {
            run.missing = k;
            return run;
        }
        std::copy(pair.replacement.begin(), pair.replacement.end(), match);
        run.matches.push_back(static_cast<std::size_t>(match - image.begin()));
    }
    return run;
}

BytePattern Bytes(const std::string& text) { return BytePattern(text.begin(), text.end()); }
Image ImageOf(const std::string& text) { return Image(text.begin(), text.end()); }

std::vector<PatternPair> TablePairs() {
    std::vector<PatternPair> pairs;
    for (const PatchPair& pair : PatchTable) pairs.push_back({WidePattern(pair.search), WidePattern(pair.replacement)});
    return pairs;
}

struct FixedCase {
    const char* name;
    std::string image;
    std::vector<std::pair<std::string, std::string>> pairs;
    std::optional<std::size_t> missing;
    std::string result;
};

TEST(ApplyPatternPairs, FixedCases) {
    const FixedCase cases[] = {
        {"first occurrence overwritten by an earlier pair, found at the next one",
         "xABCy-ABC", {{"xAB", "xyz"}, {"ABC", "abc"}}, std::nullopt, "xyzCy-abc"},
        {"longer text replaced first, the shorter one contained in it found at its own place",
         "..PQRS..QRS", {{"PQRS", "pqrs"}, {"QRS", "qrs"}}, std::nullopt, "..pqrs..qrs"},
        {"shorter text occurring only inside the longer one is then missing",
         "..PQRS..", {{"PQRS", "pqrs"}, {"QRS", "qrs"}}, 1, "..pqrs.."},
        {"match created by an earlier replacement, before the first occurrence as read",
         "aXc--abc", {{"X", "b"}, {"abc", "ABC"}}, std::nullopt, "ABC--abc"},
        {"match created by an earlier replacement where none was before",
         "ab-d", {{"-", "c"}, {"bcd", "BCD"}}, std::nullopt, "aBCD"},
        {"match straddling two replaced places",
         "1x2y3", {{"x", "X"}, {"y", "Y"}, {"X2Y", "___"}}, std::nullopt, "1___3"},
        {"only the first occurrence is replaced", "ab ab ab", {{"ab", "AB"}}, std::nullopt, "AB ab ab"},
        {"a missing pair stops the run; the pairs after it are not applied",
         "abc", {{"a", "A"}, {"zz", "ZZ"}, {"c", "C"}}, 1, "Abc"},
        {"empty pattern matches at the start and changes nothing", "abc", {{"", ""}, {"c", "C"}}, std::nullopt, "abC"},
        {"empty pattern in an empty image", "", {{"", ""}}, std::nullopt, ""},
        {"pattern longer than the image", "ab", {{"abc", "ABC"}}, 0, "ab"},
        {"match at the very end", "....xyz", {{"xyz", "XYZ"}}, std::nullopt, "....XYZ"},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PatternPair> pairs;
        for (const auto& [search, replacement] : c.pairs) pairs.push_back({Bytes(search), Bytes(replacement)});
        Image image = ImageOf(c.image);
        EXPECT_EQ(ApplyPatternPairs(image, pairs), c.missing);
        EXPECT_EQ(image, ImageOf(c.result));
    }
}

TEST(ApplyPatternPairs, RefusesAReplacementOfAnotherLength) {
    Image image = ImageOf("abc");
    EXPECT_THROW(ApplyPatternPairs(image, {{Bytes("b"), Bytes("BB")}}), std::invalid_argument);
}

// Counts of the situations the random cases reached, checked at the end so
// that a generator drifting away from them is noticed.
struct Coverage {
    int completed = 0;
    int missing = 0;
    int matchOverlapsReplaced = 0;   // found where an earlier pair had written
    int firstAsReadOverwritten = 0;  // found after its first occurrence as read
};

void NoteCoverage(const Image& original, const std::vector<PatternPair>& pairs, const ReferenceRun& run,
                  Coverage& coverage) {
    (run.missing ? coverage.missing : coverage.completed)++;
    for (std::size_t k = 0; k < run.matches.size(); ++k) {
        const std::size_t at = run.matches[k], length = pairs[k].search.size();
        if (length == 0) continue;
        for (std::size_t j = 0; j < k; ++j) {
            const std::size_t begin = run.matches[j], end = begin + pairs[j].search.size();
            if (begin < at + length && at < end) {
                coverage.matchOverlapsReplaced++;
                break;
            }
        }
        auto asRead = std::search(original.begin(), original.end(), pairs[k].search.begin(), pairs[k].search.end());
        if (asRead != original.end() && static_cast<std::size_t>(asRead - original.begin()) < at) {
            coverage.firstAsReadOverwritten++;
        }
    }
}

void ExpectSameAsSequential(const Image& original, const std::vector<PatternPair>& pairs, Coverage& coverage) {
    Image expected = original;
    const ReferenceRun run = ApplySequentially(expected, pairs);
    Image actual = original;
    const auto missing = ApplyPatternPairs(actual, pairs);
    ASSERT_EQ(missing, run.missing);
    ASSERT_EQ(actual, expected);
    NoteCoverage(original, pairs, run, coverage);
}

// Small images over an alphabet of two to four bytes, so that matches,
// overlaps and containments are frequent.  Some search patterns are pieces
// of earlier ones, as in the patch table, and replacements are drawn from the
// same alphabet, so they create new matches.
TEST(ApplyPatternPairs, AgreesWithSequentialSearchesOnSmallAlphabets) {
    std::mt19937 random(20261211);
    const std::uint8_t symbols[] = {'a', 'b', 0x00, 0x20};
    Coverage coverage;
    for (int round = 0; round < 20000; ++round) {
        const int alphabet = std::uniform_int_distribution<int>(2, 4)(random);
        auto symbol = [&] { return symbols[std::uniform_int_distribution<int>(0, alphabet - 1)(random)]; };
        auto text = [&](std::size_t length) {
            BytePattern bytes(length);
            for (auto& b : bytes) b = symbol();
            return bytes;
        };

        SCOPED_TRACE("round " + std::to_string(round));
        const BytePattern bytes = text(std::uniform_int_distribution<std::size_t>(0, 60)(random));
        const Image original(bytes.begin(), bytes.end());
        std::vector<PatternPair> pairs(std::uniform_int_distribution<std::size_t>(1, 6)(random));
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            BytePattern search;
            if (k > 0 && random() % 3 == 0) {
                const BytePattern& earlier = pairs[random() % k].search;
                const std::size_t length = earlier.empty() ? 0 : random() % earlier.size() + 1;
                const std::size_t start = random() % (earlier.size() - length + 1);
                search.assign(earlier.begin() + static_cast<std::ptrdiff_t>(start),
                              earlier.begin() + static_cast<std::ptrdiff_t>(start + length));
            } else {
                search = text(std::uniform_int_distribution<std::size_t>(0, 5)(random));
            }
            pairs[k] = {search, text(search.size())};
        }
        ExpectSameAsSequential(original, pairs, coverage);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(coverage.completed, 1000);
    EXPECT_GT(coverage.missing, 1000);
    EXPECT_GT(coverage.matchOverlapsReplaced, 1000);
    EXPECT_GT(coverage.firstAsReadOverwritten, 1000);
}

// The patch table's own texts at random (odd included) offsets of a filler
// made of the bytes its patterns are made of: usually every search text once,
// then further copies, replacement texts and pieces of both, so that texts
// overlap, repeat, or are cut by one another.
TEST(ApplyPatternPairs, AgreesWithSequentialSearchesOnTableTexts) {
    const std::vector<PatternPair> table = TablePairs();
    std::mt19937 random(14);
    const std::uint8_t filler[] = {0x00, 0x20, 0x2A, 'P'};
    Coverage coverage;
    for (int round = 0; round < 1500; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Image image(std::uniform_int_distribution<std::size_t>(1000, 20000)(random));
        for (auto& b : image) b = filler[random() % 4];
        auto place = [&](const BytePattern& text, std::size_t begin, std::size_t end) {
            if (image.empty()) return;
            const std::size_t at = random() % image.size();
            std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(begin), std::min(end - begin, image.size() - at),
                        image.begin() + static_cast<std::ptrdiff_t>(at));
        };
        for (const PatternPair& pair : table) {
            if (random() % 40 != 0) place(pair.search, 0, pair.search.size());
        }
        const int extras = std::uniform_int_distribution<int>(0, 10)(random);
        for (int n = 0; n < extras; ++n) {
            const PatternPair& pair = table[random() % table.size()];
            const BytePattern& text = random() % 2 == 0 ? pair.replacement : pair.search;
            const std::size_t begin = random() % 2 == 0 ? 0 : random() % text.size();
            place(text, begin, begin + random() % (text.size() - begin) + 1);
        }
        ExpectSameAsSequential(image, table, coverage);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(coverage.completed, 50);
    EXPECT_GT(coverage.missing, 50);
    EXPECT_GT(coverage.firstAsReadOverwritten, 100);
}

Image Utf16Spaces(std::size_t size) {
    Image image(size);
    for (std::size_t i = 0; i < size; ++i) image[i] = i % 2 == 0 ? 0x20 : 0x00;
    return image;
}

// The table's search texts twice: as UTF-16, sought together through one
// filter, and as single bytes (no zero bytes), sought one by one.
std::vector<BytePattern> ScanPatterns() {
    std::vector<BytePattern> patterns;
    for (const PatchPair& pair : PatchTable) patterns.push_back(WidePattern(pair.search));
    for (const PatchPair& pair : PatchTable) patterns.emplace_back(pair.search.begin(), pair.search.end());
    return patterns;
}

std::vector<const BytePattern*> Pointers(const std::vector<BytePattern>& patterns) {
    std::vector<const BytePattern*> pointers;
    for (const BytePattern& pattern : patterns) pointers.push_back(&pattern);
    return pointers;
}

// The scan goes block by block (16 KiB) and, within a block, stretch by
// stretch: each text at every start from just before a block boundary,
// straddling it, to just after it, and at the very end.
TEST(FindFirstOccurrences, FindsTextsAtEveryPlaceAroundBlockBoundaries) {
    const std::vector<BytePattern> texts = ScanPatterns();
    const std::vector<const BytePattern*> patterns = Pointers(texts);
    const Image spaces = Utf16Spaces(40001);
    for (std::size_t k = 0; k < patterns.size(); ++k) {
        const BytePattern& pattern = *patterns[k];
        std::vector<std::size_t> starts{spaces.size() - pattern.size()};
        for (std::size_t boundary : {std::size_t{16384}, std::size_t{32768}}) {
            for (std::size_t at = boundary - pattern.size() - 1; at <= boundary + 1; ++at) starts.push_back(at);
        }
        for (std::size_t at : starts) {
            Image image = spaces;
            std::copy(pattern.begin(), pattern.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
            ASSERT_EQ(FindFirstOccurrences(image.data(), image.size(), patterns)[k], at) << "pattern " << k + 1;
            ASSERT_EQ(FindFirstOccurrence(image.data(), image.size(), at, pattern), at) << "pattern " << k + 1;
            ASSERT_EQ(FindFirstOccurrence(image.data(), image.size(), at + 1, pattern), NotFound)
                << "pattern " << k + 1;
        }
    }
}

// Several texts at once, anywhere, against a plain search for each.
TEST(FindFirstOccurrences, AgreesWithPlainSearch) {
    const std::vector<BytePattern> texts = ScanPatterns();
    const std::vector<const BytePattern*> patterns = Pointers(texts);
    std::mt19937 random(7);
    for (int round = 0; round < 80; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Image image = Utf16Spaces(std::uniform_int_distribution<std::size_t>(0, 40000)(random));
        for (int n = 0; n < 10 && !image.empty(); ++n) {
            const BytePattern& pattern = *patterns[random() % patterns.size()];
            const std::size_t at = random() % image.size();
            if (pattern.size() <= image.size() - at)
                std::copy(pattern.begin(), pattern.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
        }
        const std::vector<std::size_t> found = FindFirstOccurrences(image.data(), image.size(), patterns);
        ASSERT_EQ(found.size(), patterns.size());
        for (std::size_t k = 0; k < patterns.size(); ++k) {
            auto plainSearch = [&](std::size_t from) {
                const auto match = std::search(image.begin() + static_cast<std::ptrdiff_t>(from), image.end(),
                                               patterns[k]->begin(), patterns[k]->end());
                return match == image.end() ? NotFound : static_cast<std::size_t>(match - image.begin());
            };
            ASSERT_EQ(found[k], plainSearch(0)) << "pattern " << k + 1 << ", image of " << image.size();
            const std::size_t from = image.empty() ? 0 : random() % image.size();
            ASSERT_EQ(FindFirstOccurrence(image.data(), image.size(), from, *patterns[k]), plainSearch(from));
        }
    }
}

}  // namespace
