#include "frm_main.h"

#include <array>
#include <exception>

#include "control_ids.h"
#include "failure_report.h"
#include "main_layout.h"
#include "resource_ids.h"
#include "update_command.h"
#include "win32_error.h"

namespace {

struct FrmMainState {
    std::array<HFONT, FrmMainControls.size()> fonts{};
    HWND lastFocus = nullptr;
    bool shown = false;
};

FrmMainState* StateOf(HWND frmMain) {
    return reinterpret_cast<FrmMainState*>(GetWindowLongPtrW(frmMain, GWLP_USERDATA));
}

POINT CentredOnScreen(HWND frmMain, int width, int height) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(frmMain, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        throw Win32Error("GetMonitorInfoW");
    }
    const RECT& screen = monitor.rcMonitor;
    return {screen.left + (screen.right - screen.left - width) / 2, screen.top + (screen.bottom - screen.top - height) / 2};
}

// Sizes the window so that its client area has the design size at `dpi`, and
// places, sizes and sets the fonts of the controls.  Without `topLeft` the
// window is centred on the screen.
void LayOut(HWND frmMain, FrmMainState& state, UINT dpi, const POINT* topLeft) {
    RECT frame{0, 0, TwipsToPixels(FrmMainClientWidth, dpi), TwipsToPixels(FrmMainClientHeight, dpi)};
    if (!AdjustWindowRectExForDpi(&frame, FrmMainStyle, FALSE, FrmMainExStyle, dpi)) {
        throw Win32Error("AdjustWindowRectExForDpi");
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT position = topLeft != nullptr ? *topLeft : CentredOnScreen(frmMain, width, height);
    if (!SetWindowPos(frmMain, nullptr, position.x, position.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
        throw Win32Error("SetWindowPos");
    }

    std::array<HFONT, FrmMainControls.size()> fonts{};
    for (std::size_t i = 0; i < FrmMainControls.size(); ++i) {
        fonts[i] = CreateDesignFont(FrmMainControls[i].font, dpi);
    }
    for (std::size_t i = 0; i < FrmMainControls.size(); ++i) {
        const ControlDesign& design = FrmMainControls[i];
        HWND control = GetDlgItem(frmMain, design.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[i]), TRUE);
        MoveWindow(control, TwipsToPixels(design.left, dpi), TwipsToPixels(design.top, dpi),
                   TwipsToPixels(design.width, dpi), TwipsToPixels(design.height, dpi), TRUE);
    }
    for (HFONT old : state.fonts) {
        if (old != nullptr) DeleteObject(old);
    }
    state.fonts = fonts;
}

LRESULT ColourLabel(HDC dc, HWND label) {
    const ControlDesign* design = FindControlDesign(GetDlgCtrlID(label));
    const bool ownColour = design != nullptr && design->textColour != WindowDefaultColour;
    SetTextColor(dc, ownColour ? design->textColour : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void OnCommand(HWND frmMain, int id, int notification) {
    if (id != IDC_CMDUPDATE || notification != BN_CLICKED) return;
    // Nothing may unwind through the system's window code: any failure the
    // command leaves ends the program here, after the report.
    try {
        CmdUpdateClick(frmMain);
    } catch (...) {
        EndWithFailureReport(frmMain, L"", std::current_exception());
    }
}

LRESULT CALLBACK FrmMainProc(HWND frmMain, UINT message, WPARAM wParam, LPARAM lParam) {
    FrmMainState* state = StateOf(frmMain);
    switch (message) {
        case WM_COMMAND:
            OnCommand(frmMain, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return ColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED:
            if (state != nullptr) {
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                const POINT topLeft{suggested->left, suggested->top};
                try {
                    LayOut(frmMain, *state, HIWORD(wParam), &topLeft);
                } catch (...) {
                    EndWithFailureReport(frmMain, L"", std::current_exception());
                }
            }
            return 0;
        case WM_ACTIVATE:
            // Like a dialog: the control that had the focus gets it back.
            if (state != nullptr) {
                if (LOWORD(wParam) == WA_INACTIVE) {
                    HWND focus = GetFocus();
                    if (focus != nullptr && IsChild(frmMain, focus)) state->lastFocus = focus;
                } else if (state->lastFocus != nullptr) {
                    SetFocus(state->lastFocus);
                    return 0;
                }
            }
            break;
        case WM_DESTROY:
            if (state != nullptr) {
                SetWindowLongPtrW(frmMain, GWLP_USERDATA, 0);
                for (HFONT font : state->fonts) {
                    if (font != nullptr) DeleteObject(font);
                }
                const bool shown = state->shown;
                delete state;
                if (shown) PostQuitMessage(0);
            }
            return 0;
    }
    return DefWindowProcW(frmMain, message, wParam, lParam);
}

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, GetSystemMetrics(widthMetric),
                             GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR);
    if (icon == nullptr) throw Win32Error("LoadImageW (program icon)");
    return static_cast<HICON>(icon);
}

void RegisterFrmMainClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FrmMainProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = KFP_MAIN_WINDOW_CLASS;
    if (RegisterClassExW(&windowClass) == 0) throw Win32Error("RegisterClassExW");
}

}  // namespace

HWND CreateFrmMain(HINSTANCE instance) {
    RegisterFrmMainClass(instance);
    HWND frmMain = CreateWindowExW(FrmMainExStyle, KFP_MAIN_WINDOW_CLASS, FrmMainCaption, FrmMainStyle, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (frmMain == nullptr) throw Win32Error("CreateWindowExW (main window)");
    auto* state = new FrmMainState;
    SetWindowLongPtrW(frmMain, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));

    for (const ControlDesign& design : FrmMainControls) {
        const DWORD style = design.style | (design.visibleAtStart ? WS_VISIBLE : 0);
        HWND control = CreateWindowExW(design.exStyle, design.windowClass, design.text, style, 0, 0, 0, 0, frmMain,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
        if (control == nullptr) throw Win32Error("CreateWindowExW (control)");
    }
    LayOut(frmMain, *state, GetDpiForWindow(frmMain), nullptr);
    return frmMain;
}

void ShowFrmMain(HWND frmMain, int showCommand) {
    FrmMainState* state = StateOf(frmMain);
    HWND txtFilePath = GetDlgItem(frmMain, IDC_TXTFILEPATH);
    state->shown = true;
    state->lastFocus = txtFilePath;
    ShowWindow(frmMain, showCommand);
    SetFocus(txtFilePath);
}
