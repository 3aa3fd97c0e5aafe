// The utility refuses to start while a top-level window carries its running
// title, whoever owns that window, and otherwise marks its own window with it.
#include "child_process.h"
#include "control_ids.h"
#include "message_box.h"
#include "programs.h"
#include "running_utility.h"
#include "test_files.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::wstring kCaption = L"[_ Kestrune 2000 _|";
const std::wstring kRunningTitle = L"[_ Kestrune 2000 _| ";
const std::wstring kGuardText = L"Kestrune 2000 should not be running at this time.";

bool ShowsMainWindow(DWORD processId) {
    HWND main = FindWindowOf(processId, KFP_MAIN_WINDOW_CLASS);
    return main && IsWindowVisible(main);
}

// A start that the guard is expected to stop, watched from the first moment:
// whether its main window was ever visible, its message, and how it ended.
struct WatchedStart {
    bool mainWindowSeen = false;
    MessageBoxView box;
    std::optional<DWORD> exitCode;
};

WatchedStart StartAndWatch() {
    WatchedStart watched;
    ChildProcess second(UtilityExe());
    // Polled as often as the system lets us, so that even a brief showing is caught.
    const auto end = std::chrono::steady_clock::now() + kStartTimeout;
    HWND box = nullptr;
    while (!box && second.running() && std::chrono::steady_clock::now() < end) {
        watched.mainWindowSeen = watched.mainWindowSeen || ShowsMainWindow(second.id());
        for (HWND window : TopLevelWindowsOf(second.id()))
            if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) box = window;
        Sleep(1);
    }
    if (box) {
        watched.box = ReadMessageBox(box);
        watched.mainWindowSeen = watched.mainWindowSeen || ShowsMainWindow(second.id());
        PressButton(box, L"OK");
    }
    watched.exitCode = second.waitForExit(kStepTimeout);
    return watched;
}

void ExpectStopped(const WatchedStart& watched) {
    EXPECT_FALSE(watched.mainWindowSeen) << "the stopped copy showed its window";
    ASSERT_NE(watched.box.window, nullptr) << "no message appeared";
    EXPECT_EQ(watched.box.text, kGuardText);
    EXPECT_EQ(watched.box.title, kCaption);
    EXPECT_EQ(watched.box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(watched.box.hasIcon);
    EXPECT_EQ(watched.exitCode, std::optional<DWORD>(1));
}

TEST(StartupGuard, FirstCopyCarriesTheRunningTitle) {
    RunningUtility utility;
    EXPECT_EQ(TextOf(utility.window()), kRunningTitle);
    // The watch below would notice a window as this one.
    EXPECT_TRUE(ShowsMainWindow(utility.process().id()));
}

TEST(StartupGuard, SecondCopyIsStoppedAndTheFirstStaysUsable) {
    RunningUtility first;
    ExpectStopped(StartAndWatch());

    EXPECT_TRUE(first.process().running());
    EXPECT_TRUE(IsWindowVisible(first.window()));
    EXPECT_EQ(TextOf(first.window()), kRunningTitle);
    first.setPath(L"");
    first.pressUpdate();
    const MessageBoxView box = WaitForMessageBox(first.process().id());
    ASSERT_NE(box.window, nullptr) << "the first copy no longer answers its button";
    EXPECT_EQ(box.text, L"File Path is Invalid.  Enter correct path and try again.");
    PressButton(box.window, L"OK");
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box.window); }, kStepTimeout));
    EXPECT_TRUE(first.process().running());
}

TEST(StartupGuard, RunningSampleHostStopsTheStart) {
    ChildProcess host(SampleHostExe());
    ASSERT_TRUE(WaitFor([] { return FindWindowW(nullptr, kRunningTitle.c_str()) != nullptr; },
                        kStartTimeout))
        << "the sample host did not show its window";
    ExpectStopped(StartAndWatch());
    EXPECT_TRUE(host.running());
}

struct ForeignTitle {
    const char* name;
    std::wstring title;
    bool stopsTheStart;
};

class StartupGuardTitles : public testing::TestWithParam<ForeignTitle> {};

TEST_P(StartupGuardTitles, AnotherProgramsWindowStopsTheStartOnlyWithTheRunningTitle) {
    const ForeignTitle& foreign = GetParam();
    ChildProcess other(HelperExe(), L"titled-window " + QuoteArgument(foreign.title));
    ASSERT_TRUE(WaitFor([&] { return !TopLevelWindowsOf(other.id()).empty(); }, kStartTimeout));

    if (foreign.stopsTheStart) {
        ExpectStopped(StartAndWatch());
    } else {
        RunningUtility utility;
        EXPECT_EQ(TextOf(utility.window()), kRunningTitle);
    }
    EXPECT_TRUE(other.running());
}

INSTANTIATE_TEST_SUITE_P(
    Titles, StartupGuardTitles,
    testing::Values(ForeignTitle{"SameTitle", L"[_ Kestrune 2000 _| ", true},
                    ForeignTitle{"OtherLetterCase", L"[_ KESTRUNE 2000 _| ", true},
                    ForeignTitle{"CaptionWithoutTheSpace", L"[_ Kestrune 2000 _|", false},
                    ForeignTitle{"TwoSpaces", L"[_ Kestrune 2000 _|  ", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
