#include <gtest/gtest.h>

#include "patch_table.h"
#include "wide_pattern.h"

TEST(WidePattern, GivesUtf16LittleEndianBytes) {
    EXPECT_EQ(WidePattern(u""), BytePattern{});
    EXPECT_EQ(WidePattern(u"ab"), (BytePattern{0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(WidePattern(u"Syst\u00E8me"),
              (BytePattern{0x53, 0x00, 0x79, 0x00, 0x73, 0x00, 0x74, 0x00, 0xE8, 0x00, 0x6D, 0x00, 0x65, 0x00}));
}

TEST(WidePattern, TablePatternsHaveTwoBytesPerCharacterAndEqualLengths) {
    for (const PatchPair& pair : PatchTable) {
        const BytePattern search = WidePattern(pair.search);
        EXPECT_EQ(search.size(), 2 * pair.search.size());
        EXPECT_EQ(WidePattern(pair.replacement).size(), search.size());
    }
    // Pattern 5 is pattern 4 without its last character.
    const BytePattern four = WidePattern(PatchTable[3].search);
    EXPECT_EQ(WidePattern(PatchTable[4].search), BytePattern(four.begin(), four.begin() + 36));
}
