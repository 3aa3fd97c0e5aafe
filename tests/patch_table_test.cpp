#include <gtest/gtest.h>

#include <string>

#include "patch_table.h"

namespace {

std::u16string Spaces(std::size_t n) { return std::u16string(n, u' '); }
std::u16string Stars(std::size_t n) { return std::u16string(n, u'*'); }

// Each text rebuilt from its parts: leading spaces, the words, trailing spaces.
struct Parts {
    std::size_t leading;
    std::u16string words;
    std::size_t trailing;
    std::u16string Text() const { return Spaces(leading) + words + Spaces(trailing); }
};

struct ExpectedPair {
    Parts search;
    Parts replacement;
    std::size_t length;
};

const ExpectedPair kExpected[PatchTableSize] = {
    {{28, u"Work with Submitted Jobs", 19}, {27, u"Gestion des travaux soumis", 18}, 71},
    {{27, u"Work with Members Using PDM", 17}, {28, u"PDM - Gestion des membres", 18}, 71},
    {{47, u"System  . . . . . :", 3}, {47, u"Syst\u00E8me . . . . . :", 3}, 69},
    {{1, u"Columns . . . :", 3}, {1, u"Colonnes  . . :", 3}, 19},
    {{1, u"Columns . . . :", 2}, {1, u"Colonnes  . . :", 2}, 18},
    {{26, u"Prompt type .", 0}, {26, u"Type d'invite", 0}, 39},
    {{1, u"Prompt type .", 0}, {1, u"Type d'invite", 0}, 14},
    {{8, Stars(15) + u" Beginning of data " + Stars(37), 0},
     {8, Stars(14) + u"  D\u00E9but des donn\u00E9es  " + Stars(36), 0}, 79},
    {{8, Stars(18) + u" End of data " + Stars(40), 0}, {8, Stars(15) + u"  Fin des donn\u00E9es  " + Stars(37), 0}, 79},
    {{0, u"F24=More keys", 0}, {0, u"F24=Autres to", 0}, 13},
    {{0, u"English", 8}, {0, u"French", 9}, 15},
    {{29, u"Display Module Source", 30}, {31, u"Source d'un module", 31}, 80},
    {{25, u"Pmt  SeqNbr", 0}, {25, u"Inv  NumS\u00E9q", 0}, 36},
    {{0, u"Pmt  SeqNbr", 0}, {0, u"Inv  NumS\u00E9q", 0}, 11},
};

bool Contains(std::u16string_view haystack, std::u16string_view needle) {
    return haystack.find(needle) != std::u16string_view::npos;
}

}  // namespace

TEST(PatchTable, EveryTextIsExactlyAsDescribed) {
    for (std::size_t k = 0; k < PatchTableSize; ++k) {
        SCOPED_TRACE("pair " + std::to_string(k + 1));
        EXPECT_EQ(PatchTable[k].search, kExpected[k].search.Text());
        EXPECT_EQ(PatchTable[k].replacement, kExpected[k].replacement.Text());
        EXPECT_EQ(PatchTable[k].search.size(), kExpected[k].length);
        EXPECT_EQ(PatchTable[k].replacement.size(), kExpected[k].length);
    }
}

TEST(PatchTable, OnlyTheAccentedLettersLeaveAscii) {
    for (std::size_t k = 0; k < PatchTableSize; ++k) {
        SCOPED_TRACE("pair " + std::to_string(k + 1));
        for (char16_t c : PatchTable[k].search) EXPECT_TRUE(c >= 0x20 && c < 0x7F);
        for (char16_t c : PatchTable[k].replacement) EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == 0xE8 || c == 0xE9);
    }
}

TEST(PatchTable, OnlyTheListedSearchTextsHoldOneAnother) {
    // Pair 4 holds 5, 6 holds 7, 13 holds 14: the order of application depends on it.
    const std::pair<std::size_t, std::size_t> expectedContainments[] = {{3, 4}, {5, 6}, {12, 13}};
    EXPECT_EQ(PatchTable[4].search, PatchTable[3].search.substr(0, PatchTable[3].search.size() - 1));
    EXPECT_EQ(PatchTable[6].search, PatchTable[5].search.substr(PatchTable[5].search.size() - 14));
    EXPECT_EQ(PatchTable[13].search, PatchTable[12].search.substr(PatchTable[12].search.size() - 11));

    for (std::size_t outer = 0; outer < PatchTableSize; ++outer) {
        for (std::size_t inner = 0; inner < PatchTableSize; ++inner) {
            SCOPED_TRACE("search " + std::to_string(inner + 1) + " in " + std::to_string(outer + 1));
            EXPECT_FALSE(Contains(PatchTable[outer].replacement, PatchTable[inner].search));
            if (outer == inner) continue;
            bool listed = false;
            for (auto [o, i] : expectedContainments) listed |= (o == outer && i == inner);
            EXPECT_EQ(Contains(PatchTable[outer].search, PatchTable[inner].search), listed);
        }
    }
}
