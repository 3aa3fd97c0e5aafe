#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "exit_codes.h"
#include "failure_report.h"
#include "frm_main.h"
#include "message_pump.h"
#include "startup_guard.h"
#include "win32_error.h"

static int RunProgram(HINSTANCE instance, int showCommand) {
    // Loads the visual-styles controls that the manifest asks for.
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&commonControls)) throw Win32Error("InitCommonControlsEx");

    HWND frmMain = CreateFrmMain(instance);
    if (!RunStartupGuard(frmMain)) return ExitGuardStopped;
    ShowFrmMain(frmMain, showCommand);
    return RunMessageLoop(frmMain);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return RunProgram(instance, showCommand);
    } catch (...) {
        EndWithFailureReport(nullptr, L"", std::current_exception());
    }
}
