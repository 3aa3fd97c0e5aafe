// A target that can be read but not replaced: the program reports the failure
// once, ends with exit code 2, and the file keeps its bytes.
#include "message_box.h"
#include "running_utility.h"
#include "test_files.h"
#include "window_query.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Keeps the target locked as a running program is, for as long as it lives.
using Lock = std::unique_ptr<void, decltype(&CloseHandle)>;

struct FailureCase {
    const char* name;
    std::function<Lock(const std::wstring& path)> protect;
    std::wstring advice;  // part of what the message tells the user to do
};

class FailureReport : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureReport, ReportsTheFailureEndsWithCode2AndLeavesTheFileAsItWas) {
    ScratchFolder folder;
    const std::wstring host = folder.path(L"Kestrune.exe");
    WriteBytes(host, HostImage());
    const Lock lock = GetParam().protect(host);
    const bool readOnly = IsReadOnly(host);

    RunningUtility utility;
    utility.setPath(host);
    utility.pressUpdate();
    const MessageBoxView box = WaitForMessageBox(utility.process().id());
    ASSERT_NE(box.window, nullptr) << "no error message appeared";
    EXPECT_NE(box.text.find(host), std::wstring::npos) << "the message does not name the file";
    EXPECT_NE(box.text.find(GetParam().advice), std::wstring::npos) << "the message gives no advice";
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_NE(box.text, L"Update is complete!");
    ASSERT_TRUE(PressButton(box.window, L"OK"));

    EXPECT_EQ(utility.process().waitForExit(kStepTimeout), std::optional<DWORD>(2));
    EXPECT_EQ(ReadBytes(host), HostImage());
    EXPECT_EQ(IsReadOnly(host), readOnly);
}

const FailureCase kFailures[] = {
    {"ReadOnlyFile",
     [](const std::wstring& path) {
         SetReadOnly(path, true);
         return Lock(nullptr, &CloseHandle);
     },
     L"read-only attribute"},
    {"FileInUse",
     [](const std::wstring& path) {
         // A running executable can be read by others, but neither deleted nor written.
         HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
         EXPECT_NE(file, INVALID_HANDLE_VALUE);
         return Lock(file, &CloseHandle);
     },
     L"Close Kestrune 2000"},
};

INSTANTIATE_TEST_SUITE_P(Targets, FailureReport, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
