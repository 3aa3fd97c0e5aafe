#pragma once

#include <windows.h>

// The load of frmMain, before it is first shown.  While a top-level window
// carries the running title (the caption and one space, letter case aside),
// destroys frmMain unshown, beeps, says why and returns false.  Otherwise
// gives frmMain the running title and returns true.
bool RunStartupGuard(HWND frmMain);
