#include "message_pump.h"

#include "win32_error.h"

// IsDialogMessage gives the window a dialog's keyboard: Tab moves between the
// text box and the button.
static void Dispatch(HWND frmMain, MSG& message) {
    if (IsWindow(frmMain) && IsDialogMessageW(frmMain, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HWND frmMain) {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) throw Win32Error("GetMessageW");
        Dispatch(frmMain, message);
    }
    return static_cast<int>(message.wParam);
}

void ProcessPendingMessages(HWND frmMain) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(frmMain, message);
    }
}
