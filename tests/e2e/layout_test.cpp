// The main window as it appears, at the usual resolution and at 150 %: every
// control where its twips put it, with its text, font and colour; the frame,
// the focus and the tab order.
#include "control_ids.h"
#include "registry_setting.h"
#include "running_utility.h"
#include "screen_pixels.h"
#include "win32_error.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>

namespace {

struct ControlDesign {
    int id;
    const char* name;
    const wchar_t* className;
    int left, top, width, height;  // twips
    const wchar_t* text;
    const wchar_t* face;  // null: the window's default font
    BYTE pitchAndFamily;
    int centipoints;
    bool bold;
    std::optional<std::uint32_t> colour;  // nothing: the default text colour
    bool visible;
    bool tabStop;
};

const std::uint32_t kBlue = Rgb(0, 0, 255);
constexpr BYTE kCourier = FIXED_PITCH | FF_MODERN;
constexpr BYTE kSansSerif = VARIABLE_PITCH | FF_SWISS;

// In tab order.
const ControlDesign kControls[] = {
    {IDC_LABEL2, "Label2", L"Static", 840, 120, 5415, 495, L"Kestrune 2000 French Language Patch",
     L"Courier New", kCourier, 1125, true, kBlue, true, false},
    {IDC_TXTFILEPATH, "txtFilePath", L"Edit", 240, 1440, 6255, 375,
     L"C:\\Program Files\\Kestrune\\Kestrune.exe", L"Courier New", kCourier, 975, false, std::nullopt, true, true},
    {IDC_LABEL4, "Label4", L"Static", 0, 960, 6735, 375,
     L"Please Enter the Path of the Kestrune Executable Program:", L"Courier New", kCourier, 825, false, kBlue,
     true, false},
    {IDC_CMDUPDATE, "cmdUpdate", L"Button", 2280, 2160, 1935, 375, L"Perform Update", nullptr, 0, 0,
     false, std::nullopt, true, true},
    {IDC_LBLWAIT, "lblWait", L"Static", 4560, 2160, 2055, 255, L"Please Wait...", L"MS Sans Serif",
     kSansSerif, 1200, true, std::nullopt, false, false},
};

int ToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
int FontHeight(int centipoints, int dpi) { return -MulDiv(centipoints, dpi, 7200); }

std::uint32_t DefaultTextColour() {
    const COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
    return Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

RECT ClientRectOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The control with the keyboard focus on the window's thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

class Layout : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        dpi_ = GetParam();
        setting_ = std::make_unique<LogPixelsSetting>(dpi_);
        utility_ = std::make_unique<RunningUtility>();
    }
    void TearDown() override {
        utility_.reset();
        setting_.reset();
    }

    int dpi_ = 96;
    std::unique_ptr<LogPixelsSetting> setting_;
    std::unique_ptr<RunningUtility> utility_;
};

TEST_P(Layout, WindowHasAFixedFrameAndItsClientSizeCentredOnTheScreen) {
    HWND window = utility_->window();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, ToPixels(6705, dpi_));
    EXPECT_EQ(client.bottom, ToPixels(2730, dpi_));
    if (dpi_ == 96) {
        EXPECT_EQ(client.right, 447);
        EXPECT_EQ(client.bottom, 182);
    }
    const LONG style = StyleOf(window);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(TextOf(window).rfind(L"[_ Kestrune 2000 _|", 0), 0u) << Utf8(TextOf(window));

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT frame = ScreenRectOf(window);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 2) << "not centred across";
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 2) << "not centred down";
}

TEST_P(Layout, ControlsSitWhereTheirTwipsSayInTabOrder) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(utility_->window(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(children.size(), std::size(kControls));

    for (std::size_t i = 0; i < children.size(); ++i) {
        const ControlDesign& design = kControls[i];
        SCOPED_TRACE(design.name);
        HWND child = children[i];
        EXPECT_EQ(GetDlgCtrlID(child), design.id) << "out of tab order";
        EXPECT_EQ(ClassOf(child), design.className);
        EXPECT_EQ(TextOf(child), design.text);
        EXPECT_EQ(static_cast<bool>(IsWindowVisible(child)), design.visible);
        EXPECT_EQ(static_cast<bool>(StyleOf(child) & WS_TABSTOP), design.tabStop);
        const RECT rect = ClientRectOf(child);
        EXPECT_EQ(rect.left, ToPixels(design.left, dpi_));
        EXPECT_EQ(rect.top, ToPixels(design.top, dpi_));
        EXPECT_EQ(rect.right - rect.left, ToPixels(design.width, dpi_));
        EXPECT_EQ(rect.bottom - rect.top, ToPixels(design.height, dpi_));
    }
    HWND button = GetDlgItem(utility_->window(), IDC_CMDUPDATE);
    EXPECT_EQ(StyleOf(button) & BS_TYPEMASK, BS_PUSHBUTTON) << "cmdUpdate must not be a default button";
}

TEST_P(Layout, FocusStartsInThePathAndTabMovesToTheButtonAndBack) {
    HWND window = utility_->window();
    HWND path = utility_->control(IDC_TXTFILEPATH);
    HWND button = utility_->control(IDC_CMDUPDATE);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == path; }, kStepTimeout))
        << "the focus does not start in txtFilePath";
    // The key goes where the keyboard would send it: to the control with the focus.
    for (HWND expected : {button, path}) {
        PostMessageW(FocusOf(window), WM_KEYDOWN, VK_TAB, 0x00000001);
        PostMessageW(FocusOf(window), WM_KEYUP, VK_TAB, 0xC0000001);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == expected; }, kStepTimeout))
            << "Tab did not move the focus to " << (expected == button ? "cmdUpdate" : "txtFilePath");
    }
}

TEST_P(Layout, EnterAndEscapeNeitherPressTheButtonNorCloseTheWindow) {
    HWND window = utility_->window();
    HWND path = utility_->control(IDC_TXTFILEPATH);
    HWND button = utility_->control(IDC_CMDUPDATE);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == path; }, kStepTimeout));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB}) {
        PostMessageW(path, WM_KEYDOWN, key, 0x00000001);
        PostMessageW(path, WM_KEYUP, key, 0xC0000001);
    }
    // The Tab behind them has been handled once the focus moves: so have they.
    ASSERT_TRUE(WaitFor([&] { return FocusOf(window) == button; }, kStepTimeout));
    for (HWND other : TopLevelWindowsOf(utility_->process().id()))
        EXPECT_FALSE(ClassOf(other) == L"#32770" && IsWindowVisible(other)) << "a message box opened";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(utility_->waitLabelVisible());
}

TEST_P(Layout, LabelsShowTheirTextInTheirFontAndColour) {
    for (const ControlDesign& design : kControls) {
        if (design.className != std::wstring(L"Static")) continue;
        SCOPED_TRACE(design.name);
        HWND label = utility_->control(design.id);
        // The wait label is shown here only long enough to look at it.
        if (!design.visible) ShowWindow(label, SW_SHOWNA);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(label) != FALSE; }, kStepTimeout));
        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT visible = ScreenRectOf(label);
        RECT parentClient{};
        GetClientRect(utility_->window(), &parentClient);
        MapWindowPoints(utility_->window(), nullptr, reinterpret_cast<POINT*>(&parentClient), 2);
        IntersectRect(&visible, &visible, &parentClient);  // Label4 is wider than the window

        const TextLook look{design.face, FontHeight(design.centipoints, dpi_), design.bold,
                            design.pitchAndFamily};
        // Compare once the label has been painted; a blank first capture is not a failure yet.
        Pixels shown;
        Pixels expected;
        WaitFor(
            [&] {
                shown = CaptureScreen(visible);
                const std::uint32_t background = MostFrequent(shown);
                const std::uint32_t colour = design.colour.value_or(DefaultTextColour());
                expected = DrawLabel(shown.width, shown.height, background, colour, look, design.text);
                return Differences(shown, expected) == 0;
            },
            kStepTimeout);
        EXPECT_EQ(Differences(shown, expected), 0u)
            << "pixels differ from " << Utf8(design.text) << " drawn in the label's font and colour";
        if (!design.visible) ShowWindow(label, SW_HIDE);
    }
}

TEST_P(Layout, PathBoxUsesItsFont) {
    // A fixed-pitch font of the right size puts every character at the same advance.
    HWND path = utility_->control(IDC_TXTFILEPATH);
    const std::wstring text = TextOf(path);
    const auto positionOf = [&](std::size_t index) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(path, EM_POSFROMCHAR, index, 0, SMTO_ABORTIFHUNG, 5000, &result);
        return static_cast<int>(static_cast<short>(LOWORD(result)));
    };
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = FontHeight(975, dpi_);
    font.lfCharSet = ANSI_CHARSET;
    font.lfPitchAndFamily = kCourier;
    std::wstring(L"Courier New").copy(font.lfFaceName, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size() - 1), &extent);
    SelectObject(dc, old);
    DeleteObject(handle);
    DeleteDC(dc);
    EXPECT_EQ(positionOf(text.size() - 1) - positionOf(0), extent.cx);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Layout, testing::Values(96, 144),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
