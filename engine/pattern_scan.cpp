#include "pattern_scan.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// A guess at how rare a byte is in an executable and its UTF-16 texts.  Zero
// bytes and spaces fill whole runs there (a screen layout text is mostly
// "20 00" pairs), so a filter on them would stop at every position of such a
// run; letters, capitals above all, make far better filters.
int Rarity(std::uint8_t byte) {
    if (byte == 0x00) return 0;
    if (byte == 0x20) return 1;
    if (byte == 0xFF) return 2;
    if (byte >= 'A' && byte <= 'Z') return 6;
    if (byte >= '0' && byte <= '9') return 5;
    if (byte >= 'a' && byte <= 'z') return 4;
    return 3;
}

// A pattern and the two of its bytes that candidate positions are filtered on
// before the full compare.
struct Scanner {
    const std::uint8_t* pattern;
    std::size_t length;
    std::size_t firstOffset;
    std::size_t secondOffset;
    std::uint8_t firstByte;
    std::uint8_t secondByte;
};

Scanner MakeScanner(const BytePattern& pattern) {
    Scanner scanner{pattern.data(), pattern.size(), 0, 0, 0, 0};
    if (pattern.empty()) return scanner;
    auto rarer = [&](std::size_t a, std::size_t b) { return Rarity(pattern[a]) > Rarity(pattern[b]); };
    std::size_t first = 0;
    for (std::size_t i = 1; i < pattern.size(); ++i) {
        if (rarer(i, first)) first = i;
    }
    // The second filter byte preferably differs from the first: two equal
    // bytes together say less about a position.
    std::size_t second = first;
    bool secondDiffers = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (i == first) continue;
        const bool differs = pattern[i] != pattern[first];
        if (second == first || (differs && !secondDiffers) || (differs == secondDiffers && rarer(i, second))) {
            second = i;
            secondDiffers = differs;
        }
    }
    scanner.firstOffset = first;
    scanner.secondOffset = second;
    scanner.firstByte = pattern[first];
    scanner.secondByte = pattern[second];
    return scanner;
}

// Candidate starts [begin, end) one by one; `end` leaves room for the whole pattern.
std::size_t CheckEach(const std::uint8_t* bytes, const Scanner& s, std::size_t begin, std::size_t end) {
    for (std::size_t q = begin; q < end; ++q) {
        if (bytes[q + s.firstOffset] == s.firstByte && bytes[q + s.secondOffset] == s.secondByte &&
            std::memcmp(bytes + q, s.pattern, s.length) == 0)
            return q;
    }
    return NotFound;
}

// The first match starting in [begin, end), with end <= size - length + 1.
// The filter runs over fixed stretches without early exit, counting the
// candidates (a sum, which compilers vectorise better than an "or"), so that
// it becomes vector compares; only a stretch with a candidate is looked at
// position by position.  A stretch is short enough for its count not to wrap.
std::size_t ScanRange(const std::uint8_t* bytes, const Scanner& s, std::size_t begin, std::size_t end) {
    constexpr std::size_t Stretch = 128;
    const std::uint8_t* first = bytes + s.firstOffset;
    const std::uint8_t* second = bytes + s.secondOffset;
    const std::uint8_t firstByte = s.firstByte;
    const std::uint8_t secondByte = s.secondByte;
    std::size_t q = begin;
    for (; q < end && end - q >= Stretch; q += Stretch) {
        unsigned char candidates = 0;
        for (std::size_t j = 0; j < Stretch; ++j) {
            candidates =
                static_cast<unsigned char>(candidates + ((first[q + j] == firstByte) & (second[q + j] == secondByte)));
        }
        if (candidates) {
            const std::size_t match = CheckEach(bytes, s, q, q + Stretch);
            if (match != NotFound) return match;
        }
    }
    return q < end ? CheckEach(bytes, s, q, end) : NotFound;
}

// One past the last position where a pattern of this length can start.
std::size_t StartLimit(std::size_t size, std::size_t length) { return size - length + 1; }

// Patterns that hold UTF-16 text, as all of the patch table's do, are sought
// together through one filter instead of one each.  Each is anchored on two
// of its characters in a row, "c1 00 c2 00" with c1 and c2 neither zero nor
// space.  The filter passes a position holding a byte in the range of the
// anchors' c1, then a zero byte, any byte, a zero byte: almost nothing in
// random bytes and nothing in runs of UTF-16 spaces.  In UTF-16 text, where
// it passes much, a table of the anchors' character pairs rejects most of it.
struct TextAnchor {
    std::size_t pattern;  // index in the patterns sought
    std::size_t offset;   // of the anchor in the pattern
    std::uint16_t key;    // c1 | c2 << 8
};

struct TextGroup {
    std::vector<TextAnchor> anchors;
    std::uint8_t firstLow = 0xFF;
    std::uint8_t firstHigh = 0x00;
    std::vector<bool> keys = std::vector<bool>(1 << 16);
};

constexpr std::size_t AnchorLength = 4;

std::uint16_t AnchorKey(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[2] << 8); }

std::optional<TextAnchor> FindTextAnchor(const BytePattern& pattern, std::size_t index) {
    auto isChar = [](std::uint8_t byte) { return byte != 0x00 && byte != 0x20; };
    std::optional<TextAnchor> best;
    int bestRarity = -1;
    for (std::size_t i = 0; i + AnchorLength <= pattern.size(); ++i) {
        if (!isChar(pattern[i]) || pattern[i + 1] != 0 || !isChar(pattern[i + 2]) || pattern[i + 3] != 0) continue;
        const int rarity = Rarity(pattern[i]) + Rarity(pattern[i + 2]);
        if (rarity > bestRarity) {
            bestRarity = rarity;
            best = TextAnchor{index, i, AnchorKey(pattern.data() + i)};
        }
    }
    return best;
}

void AddToGroup(TextGroup& group, const TextAnchor& anchor) {
    group.anchors.push_back(anchor);
    group.keys[anchor.key] = true;
    const auto first = static_cast<std::uint8_t>(anchor.key & 0xFF);
    group.firstLow = std::min(group.firstLow, first);
    group.firstHigh = std::max(group.firstHigh, first);
}

// Anchor positions [begin, end), end <= size - AnchorLength + 1.  Records
// the matches of patterns not found yet; returns how many it recorded.
std::size_t ScanTextGroup(const std::uint8_t* bytes, std::size_t size, const TextGroup& group,
                          const std::vector<const BytePattern*>& patterns, std::size_t begin, std::size_t end,
                          std::vector<std::size_t>& found) {
    std::size_t recorded = 0;
    auto check = [&](std::size_t at) {
        const std::uint16_t key = AnchorKey(bytes + at);
        if (!group.keys[key]) return;
        for (const TextAnchor& anchor : group.anchors) {
            if (anchor.key != key || at < anchor.offset || found[anchor.pattern] != NotFound) continue;
            const BytePattern& pattern = *patterns[anchor.pattern];
            const std::size_t start = at - anchor.offset;
            if (pattern.size() <= size - start && std::memcmp(bytes + start, pattern.data(), pattern.size()) == 0) {
                found[anchor.pattern] = start;
                ++recorded;
            }
        }
    };
    // As in ScanRange; the count of candidates in a stretch cannot wrap.
    constexpr std::size_t Stretch = 128;
    const std::uint8_t low = group.firstLow;
    const std::uint8_t span = static_cast<std::uint8_t>(group.firstHigh - group.firstLow);
    std::size_t a = begin;
    for (; a < end && end - a >= Stretch; a += Stretch) {
        const std::uint8_t* p = bytes + a;
        unsigned char candidates = 0;
        for (std::size_t j = 0; j < Stretch; ++j) {
            candidates = static_cast<unsigned char>(
                candidates + ((static_cast<std::uint8_t>(p[j] - low) <= span) & ((p[j + 1] | p[j + 3]) == 0)));
        }
        if (candidates) {
            for (std::size_t j = 0; j < Stretch; ++j) check(a + j);
        }
    }
    for (; a < end; ++a) check(a);
    return recorded;
}

}  // namespace

std::vector<std::size_t> FindFirstOccurrences(const std::uint8_t* bytes, std::size_t size,
                                              const std::vector<const BytePattern*>& patterns) {
    std::vector<std::size_t> found(patterns.size(), NotFound);
    std::vector<std::size_t> pending;
    std::vector<Scanner> scanners;
    TextGroup texts;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (patterns[i]->empty()) {
            found[i] = 0;
        } else if (patterns[i]->size() <= size) {
            if (const auto anchor = FindTextAnchor(*patterns[i], i)) {
                AddToGroup(texts, *anchor);
            } else {
                pending.push_back(i);
                scanners.push_back(MakeScanner(*patterns[i]));
            }
        }
    }
    std::size_t textsPending = texts.anchors.size();
    const std::size_t anchorLimit = size >= AnchorLength ? StartLimit(size, AnchorLength) : 0;
    // Block by block, every filter scans the block while it is in the cache:
    // the memory is read once, not once per pattern.
    constexpr std::size_t Block = 16 * 1024;
    for (std::size_t blockStart = 0; blockStart < size && (textsPending > 0 || !pending.empty()); blockStart += Block) {
        const std::size_t blockEnd = std::min(size, blockStart + Block);
        if (textsPending > 0 && blockStart < anchorLimit) {
            textsPending -=
                ScanTextGroup(bytes, size, texts, patterns, blockStart, std::min(blockEnd, anchorLimit), found);
        }
        std::size_t kept = 0;
        for (std::size_t p = 0; p < pending.size(); ++p) {
            const Scanner& scanner = scanners[p];
            const std::size_t end = std::min(blockEnd, StartLimit(size, scanner.length));
            const std::size_t match = blockStart < end ? ScanRange(bytes, scanner, blockStart, end) : NotFound;
            if (match != NotFound) {
                found[pending[p]] = match;
            } else {
                pending[kept] = pending[p];
                scanners[kept] = scanner;
                ++kept;
            }
        }
        pending.resize(kept);
        scanners.resize(kept);
    }
    return found;
}

std::size_t FindFirstOccurrence(const std::uint8_t* bytes, std::size_t size, std::size_t from,
                                const BytePattern& pattern) {
    if (from > size || pattern.size() > size - from) return NotFound;
    if (pattern.empty()) return from;
    return ScanRange(bytes, MakeScanner(pattern), from, StartLimit(size, pattern.size()));
}
