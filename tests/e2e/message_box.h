#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the user sees of a message box.
struct MessageBoxView {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;  // the visible ones, in creation order
    bool hasIcon = false;
};

// The visible message box of the process, waiting for it up to kStepTimeout;
// the view's window is null when none appeared.
MessageBoxView WaitForMessageBox(DWORD processId);
MessageBoxView ReadMessageBox(HWND box);
// Presses the button with that caption as a click would, without waiting for
// whatever the program does next; returns false if there is no such button.
bool PressButton(HWND box, const std::wstring& caption);
