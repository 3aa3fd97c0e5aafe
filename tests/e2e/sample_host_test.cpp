// The sample host before and after the patch: the patched program still starts
// and its window shows the French texts where the English ones were.
#include "child_process.h"
#include "host_texts.h"
#include "message_box.h"
#include "programs.h"
#include "running_utility.h"
#include "test_files.h"
#include "window_query.h"

#include <gtest/gtest.h>

namespace {

// The texts of the host's window, once it shows; empty if it never does.
std::vector<std::wstring> TextsShownBy(const std::wstring& hostExe) {
    ChildProcess host(hostExe);
    HWND window = WaitFor(
        [&]() -> HWND {
            for (HWND candidate : TopLevelWindowsOf(host.id()))
                if (IsWindowVisible(candidate)) return candidate;
            return nullptr;
        },
        kStartTimeout);
    std::vector<std::wstring> texts;
    if (!window) return texts;
    for (HWND child : ChildWindowsOf(window)) texts.push_back(TextOf(child));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(host.waitForExit(kStepTimeout).has_value()) << "the host did not close";
    return texts;
}

TEST(SampleHost, StillRunsAfterThePatchAndShowsTheFrenchTexts) {
    ScratchFolder folder;
    const std::wstring host = folder.path(L"Kestrune.exe");
    CopyFileTo(SampleHostExe(), host);
    ASSERT_EQ(TextsShownBy(host), EnglishTexts());
    const Bytes before = ReadBytes(host);

    {
        RunningUtility utility;
        utility.setPath(host);
        utility.pressUpdate();
        const MessageBoxView box = WaitForMessageBox(utility.process().id());
        ASSERT_NE(box.window, nullptr);
        ASSERT_EQ(box.text, L"Update is complete!");
        PressButton(box.window, L"OK");
        ASSERT_EQ(utility.process().waitForExit(kStepTimeout), std::optional<DWORD>(0));
    }

    const Bytes after = ReadBytes(host);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_NE(after, before);
    EXPECT_EQ(TextsShownBy(host), FrenchTexts());
}

}  // namespace
