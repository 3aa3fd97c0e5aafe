#include "running_utility.h"

#include "control_ids.h"
#include "programs.h"
#include "window_query.h"

#include <stdexcept>

RunningUtility::RunningUtility() : process_(UtilityExe()) {
    window_ = WaitFor(
        [&] {
            HWND main = FindWindowOf(process_.id(), KFP_MAIN_WINDOW_CLASS);
            return main && IsWindowVisible(main) ? main : nullptr;
        },
        kStartTimeout);
    if (!window_) throw std::runtime_error("the utility's main window did not appear");
}

HWND RunningUtility::control(int id) const {
    HWND child = GetDlgItem(window_, id);
    if (!child) throw std::runtime_error("the main window has no control " + std::to_string(id));
    return child;
}

void RunningUtility::setPath(const std::wstring& path) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control(IDC_TXTFILEPATH), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
    if (!result) throw std::runtime_error("txtFilePath refused its new text");
}

std::wstring RunningUtility::path() const { return TextOf(control(IDC_TXTFILEPATH)); }

void RunningUtility::pressUpdate() const { PostMessageW(control(IDC_CMDUPDATE), BM_CLICK, 0, 0); }

bool RunningUtility::waitLabelVisible() const { return IsWindowVisible(control(IDC_LBLWAIT)); }
