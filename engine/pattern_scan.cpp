#include "pattern_scan.h"

#include <algorithm>
#include <cstring>

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
        if (second == first || (differs && !secondDiffers) ||
            (differs == secondDiffers && rarer(i, second))) {
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
// The filter runs over fixed stretches without early exit so that the
// compiler turns it into vector compares; only a stretch where both filter
// bytes sit in place is looked at position by position.
std::size_t ScanRange(const std::uint8_t* bytes, const Scanner& s, std::size_t begin, std::size_t end) {
    constexpr std::size_t Stretch = 64;
    const std::uint8_t* first = bytes + s.firstOffset;
    const std::uint8_t* second = bytes + s.secondOffset;
    const std::uint8_t firstByte = s.firstByte;
    const std::uint8_t secondByte = s.secondByte;
    std::size_t q = begin;
    for (; q < end && end - q >= Stretch; q += Stretch) {
        unsigned char candidates = 0;
        for (std::size_t j = 0; j < Stretch; ++j) {
            candidates |= static_cast<unsigned char>((first[q + j] == firstByte) & (second[q + j] == secondByte));
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

}  // namespace

std::vector<std::size_t> FindFirstOccurrences(const std::uint8_t* bytes, std::size_t size,
                                              const std::vector<const BytePattern*>& patterns) {
    std::vector<std::size_t> found(patterns.size(), NotFound);
    std::vector<std::size_t> pending;
    std::vector<Scanner> scanners;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (patterns[i]->empty()) {
            found[i] = 0;
        } else if (patterns[i]->size() <= size) {
            pending.push_back(i);
            scanners.push_back(MakeScanner(*patterns[i]));
        }
    }
    // Block by block, every pattern still sought scans the block while it is
    // in the cache: the memory is read once, not once per pattern.
    constexpr std::size_t Block = 16 * 1024;
    for (std::size_t blockStart = 0; blockStart < size && !pending.empty(); blockStart += Block) {
        const std::size_t blockEnd = std::min(size, blockStart + Block);
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
