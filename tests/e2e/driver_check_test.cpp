// The driver's own tools, checked against windows whose content is known, so
// that the program's tests can trust what they read.
#include "child_process.h"
#include "message_box.h"
#include "programs.h"
#include "window_query.h"

#include <gtest/gtest.h>

namespace {

struct BoxCase {
    const wchar_t* icon;
    const wchar_t* title;
    const wchar_t* text;
    bool hasIcon;
};

class DriverCheck : public testing::TestWithParam<BoxCase> {};

TEST_P(DriverCheck, ReadsAndClosesAMessageBoxOfAnotherProcess) {
    const BoxCase& box = GetParam();
    ChildProcess helper(HelperExe(), L"message-box " + QuoteArgument(box.icon) + L" " +
                                         QuoteArgument(box.title) + L" " + QuoteArgument(box.text));
    const MessageBoxView view = WaitForMessageBox(helper.id());
    ASSERT_NE(view.window, nullptr);
    EXPECT_EQ(view.title, box.title);
    EXPECT_EQ(view.text, box.text);
    EXPECT_EQ(view.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(view.hasIcon, box.hasIcon);
    ASSERT_TRUE(PressButton(view.window, L"OK"));
    EXPECT_EQ(helper.waitForExit(kStepTimeout), std::optional<DWORD>(IDOK));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DriverCheck,
    testing::Values(BoxCase{L"none", L"Plain", L"Two  spaces.  And more.", false},
                    BoxCase{L"error", L"With icon", L"Something failed.", true}));

TEST(DriverCheckWindows, FindsATopLevelWindowOfAnotherProcessByItsTitle) {
    const std::wstring title = L"kfp e2e titled window ";
    ChildProcess helper(HelperExe(), L"titled-window " + QuoteArgument(title));
    HWND window = WaitFor([&] { return FindWindowW(nullptr, title.c_str()); }, kStepTimeout);
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, helper.id());
    EXPECT_EQ(TextOf(window), title);
}

}  // namespace
