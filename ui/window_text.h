#pragma once

#include <windows.h>

#include <string>

// The caption of a window, or the text of a control.
std::wstring WindowText(HWND window);
