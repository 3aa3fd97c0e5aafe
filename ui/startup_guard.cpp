#include "startup_guard.h"

#include <string>

#include "text_encoding.h"
#include "win32_error.h"
#include "window_text.h"

bool RunStartupGuard(HWND frmMain) {
    const std::wstring caption = WindowText(frmMain);
    const std::wstring runningTitle = caption + L" ";
    if (FindWindowA(nullptr, WideToAnsi(runningTitle).c_str()) != nullptr) {
        const std::wstring rememberedCaption = caption;
        if (!DestroyWindow(frmMain)) throw Win32Error("DestroyWindow");
        MessageBeep(MB_OK);
        if (MessageBoxW(nullptr, L"Kestrune 2000 should not be running at this time.", rememberedCaption.c_str(),
                        MB_OK) == 0) {
            throw Win32Error("MessageBoxW");
        }
        return false;
    }
    if (!SetWindowTextW(frmMain, runningTitle.c_str())) throw Win32Error("SetWindowTextW");
    return true;
}
