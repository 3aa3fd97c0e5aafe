// A small stand-in for the host product: a window that shows the interface
// texts of its string table, one label each.  Its title is the one the
// running host carries, so the patch utility refuses to start beside it.

#include <windows.h>

#include <string>

#include "host_strings.h"

namespace {

constexpr const wchar_t* WindowClass = L"KestruneSampleHost";
constexpr const wchar_t* RunningTitle = L"[_ Kestrune 2000 _| ";
constexpr int LineHeight = 18;
constexpr int Margin = 8;

void Fail(const wchar_t* call) {
    const DWORD error = GetLastError();
    std::wstring text = std::wstring(call) + L" failed: error " + std::to_wstring(error);
    MessageBoxW(nullptr, text.c_str(), RunningTitle, MB_OK | MB_ICONERROR);
    ExitProcess(2);
}

std::wstring HostText(HINSTANCE instance, int id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW points into the resource itself.
    const int length = LoadStringW(instance, static_cast<UINT>(id), reinterpret_cast<wchar_t*>(&text), 0);
    if (length == 0) Fail(L"LoadStringW");
    return std::wstring(text, static_cast<std::size_t>(length));
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WindowClass;
    if (RegisterClassExW(&windowClass) == 0) Fail(L"RegisterClassExW");

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 2 * Margin + 720, 2 * Margin + HOST_TEXT_COUNT * LineHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, WindowClass, RunningTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) Fail(L"CreateWindowExW");

    // A fixed-pitch font keeps the texts' spaces visible as columns.
    HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
    for (int i = 0; i < HOST_TEXT_COUNT; ++i) {
        const std::wstring text = HostText(instance, IDS_FIRST_TEXT + i);
        HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                                     Margin, Margin + i * LineHeight, 720, LineHeight, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FIRST_TEXT_LABEL + i)), instance,
                                     nullptr);
        if (label == nullptr) Fail(L"CreateWindowExW");
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
