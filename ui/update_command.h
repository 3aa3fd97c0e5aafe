#pragma once

#include <windows.h>

// The click of cmdUpdate: one patch run on the file named in txtFilePath,
// with lblWait shown while it works, and its outcome's message.  Ends the
// program after a complete update.
void CmdUpdateClick(HWND frmMain);
