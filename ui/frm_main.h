#pragma once

#include <windows.h>

// Registers the window class and creates frmMain with its controls, laid out
// at the window's DPI and centred on the screen, but not shown.
HWND CreateFrmMain(HINSTANCE instance);

// Shows frmMain (after its load) with the focus in txtFilePath.  From then
// on, destroying the window ends the message loop.
void ShowFrmMain(HWND frmMain, int showCommand);
