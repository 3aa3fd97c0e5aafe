#pragma once

#include <windows.h>

// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND frmMain);

// Handles the messages that are waiting now, once, as the main loop would.
// A WM_QUIT met on the way is put back for the main loop.
void ProcessPendingMessages(HWND frmMain);
