#include "update_command.h"

#include <exception>
#include <filesystem>
#include <string>

#include "control_ids.h"
#include "exit_codes.h"
#include "failure_report.h"
#include "message_pump.h"
#include "patch_run.h"
#include "win32_error.h"
#include "window_text.h"

static void ShowMessage(HWND frmMain, const wchar_t* text, const wchar_t* title) {
    if (MessageBoxW(frmMain, text, title, MB_OK) == 0) throw Win32Error("MessageBoxW");
}

void CmdUpdateClick(HWND frmMain) {
    HWND lblWait = GetDlgItem(frmMain, IDC_LBLWAIT);
    ShowWindow(lblWait, SW_SHOW);
    // Paints the label before the run blocks the window; a click already
    // waiting runs a whole update command of its own here.
    ProcessPendingMessages(frmMain);
    // The user closed the window meanwhile: the program is ending.
    if (!IsWindow(frmMain)) return;

    const std::wstring pathText = WindowText(GetDlgItem(frmMain, IDC_TXTFILEPATH));
    PatchOutcome outcome;
    try {
        outcome = RunPatch(std::filesystem::path(pathText));
    } catch (...) {
        EndWithFailureReport(frmMain, pathText, std::current_exception());
    }

    switch (outcome) {
        case PatchOutcome::InvalidPath:
            ShowWindow(lblWait, SW_HIDE);
            ShowMessage(frmMain, L"File Path is Invalid.  Enter correct path and try again.", L"Error");
            break;
        case PatchOutcome::NotApplicable:
            ShowMessage(frmMain, L"Can not update now.  Program has already been updated or File Path is invalid.",
                        L"Kestrune 2000");
            ShowWindow(lblWait, SW_HIDE);
            break;
        case PatchOutcome::Completed:
            ShowMessage(frmMain, L"Update is complete!", L"Kestrune 2000");
            // Ends at once: no further window or message handling.
            ExitProcess(ExitNormal);
    }
}
