#include "main_layout.h"

#include <gtest/gtest.h>

#include <cwchar>

TEST(TwipsToPixels, FifteenTwipsArePixelAt96Dpi) {
    struct Case {
        int twips;
        UINT dpi;
        int pixels;
    };
    const Case cases[] = {
        {15, 96, 1}, {6705, 96, 447}, {2730, 96, 182}, {0, 96, 0},
        {10, 144, 1}, {6705, 144, 671}, {2730, 144, 273}, {6705, 192, 894},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " DPI";
    }
}

TEST(FrmMainDesign, ControlsSitAtTheirPixelPlacesAt96Dpi) {
    struct Place {
        int id;
        int left, top, width, height;
    };
    const Place places[] = {
        {IDC_LABEL2, 56, 8, 361, 33},
        {IDC_TXTFILEPATH, 16, 96, 417, 25},
        {IDC_LABEL4, 0, 64, 449, 25},
        {IDC_CMDUPDATE, 152, 144, 129, 25},
        {IDC_LBLWAIT, 304, 144, 137, 17},
    };
    for (const Place& place : places) {
        const ControlDesign* design = FindControlDesign(place.id);
        ASSERT_NE(design, nullptr) << place.id;
        EXPECT_EQ(TwipsToPixels(design->left, 96), place.left) << design->name;
        EXPECT_EQ(TwipsToPixels(design->top, 96), place.top) << design->name;
        EXPECT_EQ(TwipsToPixels(design->width, 96), place.width) << design->name;
        EXPECT_EQ(TwipsToPixels(design->height, 96), place.height) << design->name;
    }
}

TEST(FrmMainDesign, KeyboardReachesOnlyTheTextBoxAndTheButtonWithoutAccessKeys) {
    const int tabOrder[] = {IDC_LABEL2, IDC_TXTFILEPATH, IDC_LABEL4, IDC_CMDUPDATE, IDC_LBLWAIT};
    ASSERT_EQ(FrmMainControls.size(), std::size(tabOrder));
    for (std::size_t i = 0; i < FrmMainControls.size(); ++i) {
        const ControlDesign& design = FrmMainControls[i];
        EXPECT_EQ(design.id, tabOrder[i]) << "tab index " << i;
        const bool takesFocus = design.id == IDC_TXTFILEPATH || design.id == IDC_CMDUPDATE;
        EXPECT_EQ((design.style & WS_TABSTOP) != 0, takesFocus) << design.name;
        EXPECT_EQ(std::wcschr(design.text, L'&'), nullptr) << design.name;
        if (std::wcscmp(design.windowClass, L"STATIC") == 0) {
            EXPECT_NE(design.style & SS_NOPREFIX, 0u) << design.name;
        }
    }
    const ControlDesign* button = FindControlDesign(IDC_CMDUPDATE);
    EXPECT_EQ(button->style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
    EXPECT_FALSE(FindControlDesign(IDC_LBLWAIT)->visibleAtStart);
}

TEST(FrmMainDesign, FontsScaleWithTheDpi) {
    struct Case {
        int id;
        UINT dpi;
        LONG height;
        LONG weight;
    };
    const Case cases[] = {
        {IDC_LABEL2, 96, -15, FW_BOLD},      {IDC_TXTFILEPATH, 96, -13, FW_NORMAL},
        {IDC_LABEL4, 96, -11, FW_NORMAL},    {IDC_LBLWAIT, 96, -16, FW_BOLD},
        {IDC_LABEL2, 192, -30, FW_BOLD},     {IDC_LBLWAIT, 144, -24, FW_BOLD},
    };
    for (const Case& c : cases) {
        const ControlDesign* design = FindControlDesign(c.id);
        HFONT font = CreateDesignFont(design->font, c.dpi);
        LOGFONTW logFont{};
        ASSERT_EQ(GetObjectW(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
        DeleteObject(font);
        EXPECT_EQ(logFont.lfHeight, c.height) << design->name << " at " << c.dpi;
        EXPECT_EQ(logFont.lfWeight, c.weight) << design->name;
        EXPECT_STREQ(logFont.lfFaceName, design->font.face) << design->name;
        EXPECT_EQ(logFont.lfCharSet, ANSI_CHARSET) << design->name;
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut) << design->name;
    }
}

TEST(FrmMainDesign, WindowDefaultFontGrowsWithTheDpi) {
    LOGFONTW at96{}, at192{};
    HFONT font96 = CreateDesignFont(WindowDefaultFont, 96);
    HFONT font192 = CreateDesignFont(WindowDefaultFont, 192);
    GetObjectW(font96, sizeof at96, &at96);
    GetObjectW(font192, sizeof at192, &at192);
    DeleteObject(font96);
    DeleteObject(font192);
    EXPECT_NE(at96.lfHeight, 0);
    EXPECT_NEAR(static_cast<double>(at192.lfHeight), 2.0 * at96.lfHeight, 1.0);
    EXPECT_EQ(at96.lfCharSet, ANSI_CHARSET);
}
