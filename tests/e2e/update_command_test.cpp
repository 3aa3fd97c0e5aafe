// "Perform Update" as the user meets it: the message of each outcome, the wait
// label while the message is open, the file on disk, and whether the program
// is still there afterwards.
#include "message_box.h"
#include "running_utility.h"
#include "test_files.h"
#include "window_query.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const std::wstring kDefaultPath = L"C:\\Program Files\\Kestrune\\Kestrune.exe";
const std::wstring kInvalidPathText = L"File Path is Invalid.  Enter correct path and try again.";
const std::wstring kNotApplicableText =
    L"Can not update now.  Program has already been updated or File Path is invalid.";

// The target of one case: the path typed (nothing for the default) and the
// file there before the run (nothing for no file).
struct Target {
    std::optional<std::wstring> typedPath;
    std::wstring filePath;
    std::optional<Bytes> content;
};

struct RefusalCase {
    const char* name;
    std::function<Target(const ScratchFolder&)> prepare;
    std::wstring text;
    std::wstring title;
    bool waitLabelShownWithMessage;
};

// Nothing for no file, or for no path to look at.
std::optional<Bytes> ContentOf(const std::wstring& path) {
    if (path.empty() || !FileExists(path)) return std::nullopt;
    return ReadBytes(path);
}

// Presses the button and reads the message that answers it; closes the message
// and waits until it is gone.
struct Answer {
    MessageBoxView box;
    bool waitLabelShownWithMessage = false;
    bool modalToTheWindow = false;  // owned by the main window, which takes no input meanwhile
};

Answer PressAndAnswer(const RunningUtility& utility) {
    utility.pressUpdate();
    Answer answer;
    answer.box = WaitForMessageBox(utility.process().id());
    if (!answer.box.window) return answer;
    answer.waitLabelShownWithMessage = utility.waitLabelVisible();
    answer.modalToTheWindow = GetWindow(answer.box.window, GW_OWNER) == utility.window() &&
                              !IsWindowEnabled(utility.window());
    EXPECT_TRUE(PressButton(answer.box.window, L"OK"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(answer.box.window); }, kStepTimeout))
        << "the message did not close";
    return answer;
}

class UpdateCommand : public testing::TestWithParam<RefusalCase> {};

TEST_P(UpdateCommand, RefusesWithItsMessageAndStaysUsable) {
    const RefusalCase& refusal = GetParam();
    ScratchFolder folder;
    const Target target = refusal.prepare(folder);
    if (target.content) WriteBytes(target.filePath, *target.content);
    ASSERT_EQ(ContentOf(target.filePath), target.content) << "the fixture is not in place";

    RunningUtility utility;
    if (target.typedPath) utility.setPath(*target.typedPath);
    ASSERT_FALSE(utility.waitLabelVisible());

    // A second press after the first message shows that the window went back to idle.
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE("press " + std::to_string(press));
        const Answer answer = PressAndAnswer(utility);
        ASSERT_NE(answer.box.window, nullptr) << "no message box appeared";
        EXPECT_EQ(answer.box.text, refusal.text);
        EXPECT_EQ(answer.box.title, refusal.title);
        EXPECT_EQ(answer.box.buttons, std::vector<std::wstring>{L"OK"});
        EXPECT_FALSE(answer.box.hasIcon);
        EXPECT_EQ(answer.waitLabelShownWithMessage, refusal.waitLabelShownWithMessage);
        EXPECT_TRUE(answer.modalToTheWindow);

        EXPECT_TRUE(utility.process().running());
        EXPECT_TRUE(IsWindowVisible(utility.window()));
        EXPECT_TRUE(IsWindowEnabled(utility.window()));
        EXPECT_TRUE(WaitFor([&] { return !utility.waitLabelVisible(); }, kStepTimeout))
            << "lblWait stayed visible after the message";
        EXPECT_EQ(ContentOf(target.filePath), target.content) << "the file was changed";
    }

    PostMessageW(utility.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(utility.process().waitForExit(kStepTimeout), std::optional<DWORD>(0));
}

const RefusalCase kRefusals[] = {
    {"DefaultPathWithoutHost",
     [](const ScratchFolder&) { return Target{std::nullopt, kDefaultPath, std::nullopt}; },
     kInvalidPathText, L"Error", false},
    {"MissingFile",
     [](const ScratchFolder& folder) {
         return Target{folder.path(L"missing.exe"), folder.path(L"missing.exe"), std::nullopt};
     },
     kInvalidPathText, L"Error", false},
    {"Folder",
     [](const ScratchFolder& folder) {
         return Target{folder.path(L"."), std::wstring(), std::nullopt};
     },
     kInvalidPathText, L"Error", false},
    {"EmptyPath",
     [](const ScratchFolder& folder) {
         return Target{std::wstring(), folder.path(L"never-created"), std::nullopt};
     },
     kInvalidPathText, L"Error", false},
    {"AlreadyPatched",
     [](const ScratchFolder& folder) {
         return Target{folder.path(L"Kestrune.exe"), folder.path(L"Kestrune.exe"),
                       PatchedHostImage()};
     },
     kNotApplicableText, L"Kestrune 2000", true},
    {"FileWithoutTheTexts",
     [](const ScratchFolder& folder) {
         return Target{folder.path(L"other.exe"), folder.path(L"other.exe"),
                       Bytes{'M', 'Z', 0, 0, 'n', 0, 'o', 0}};
     },
     kNotApplicableText, L"Kestrune 2000", true},
};

INSTANTIATE_TEST_SUITE_P(Refusals, UpdateCommand, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

class UpdateCommandCompleted : public testing::TestWithParam<const wchar_t*> {};

TEST_P(UpdateCommandCompleted, PatchesTheFileByteForByteAndEndsTheProgram) {
    ScratchFolder folder;
    const std::wstring host = folder.path(GetParam());
    WriteBytes(host, HostImage());

    RunningUtility utility;
    utility.setPath(host);
    const Answer answer = PressAndAnswer(utility);
    ASSERT_NE(answer.box.window, nullptr) << "no message box appeared";
    EXPECT_EQ(answer.box.text, L"Update is complete!");
    EXPECT_EQ(answer.box.title, L"Kestrune 2000");
    EXPECT_EQ(answer.box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(answer.box.hasIcon);
    EXPECT_TRUE(answer.waitLabelShownWithMessage);
    EXPECT_TRUE(answer.modalToTheWindow);

    EXPECT_EQ(utility.process().waitForExit(kStepTimeout), std::optional<DWORD>(0));
    EXPECT_TRUE(TopLevelWindowsOf(utility.process().id()).empty());
    EXPECT_EQ(ReadBytes(host), PatchedHostImage());
}

// The path is taken as typed, whatever characters the file name holds.
INSTANTIATE_TEST_SUITE_P(FileNames, UpdateCommandCompleted,
                         testing::Values(L"Kestrune.exe", L"Kestrune \u00C9t\u00E9 \u6E2C\u8A66.exe"));

TEST(UpdateCommandRetry, SucceedsAfterARefusalOnceThePathIsCorrected) {
    ScratchFolder folder;
    const std::wstring host = folder.path(L"Kestrune.exe");
    WriteBytes(host, HostImage());

    RunningUtility utility;
    utility.setPath(folder.path(L"Kestrun.exe"));
    const Answer refusal = PressAndAnswer(utility);
    ASSERT_NE(refusal.box.window, nullptr);
    EXPECT_EQ(refusal.box.text, kInvalidPathText);

    utility.setPath(host);
    const Answer success = PressAndAnswer(utility);
    ASSERT_NE(success.box.window, nullptr);
    EXPECT_EQ(success.box.text, L"Update is complete!");
    EXPECT_EQ(utility.process().waitForExit(kStepTimeout), std::optional<DWORD>(0));
    EXPECT_EQ(ReadBytes(host), PatchedHostImage());
}

}  // namespace
