// A small program the driver starts to check itself against known windows:
//   e2e_helper message-box ICON TITLE TEXT   shows a message box (ICON: none, error)
//   e2e_helper titled-window TITLE           keeps a top-level window with that title open
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

LRESULT CALLBACK TitledWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int ShowTitledWindow(const wchar_t* title) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TitledWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KfpE2eTitledWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 3;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return 3;
    const std::wstring mode = count > 1 ? args[1] : L"";
    if (mode == L"message-box" && count == 5) {
        const UINT icon = std::wstring(args[2]) == L"error" ? MB_ICONERROR : 0;
        return MessageBoxW(nullptr, args[4], args[3], MB_OK | icon);
    }
    if (mode == L"titled-window" && count == 3) return ShowTitledWindow(args[2]);
    return 3;
}
