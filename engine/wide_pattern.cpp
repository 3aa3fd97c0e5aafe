#include "wide_pattern.h"

BytePattern WidePattern(std::u16string_view text) {
    BytePattern pattern;
    pattern.reserve(text.size() * 2);
    for (char16_t c : text) {
        pattern.push_back(static_cast<std::uint8_t>(c & 0xFF));
        pattern.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return pattern;
}
