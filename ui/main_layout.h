#pragma once

#include <windows.h>

#include <array>

#include "control_ids.h"

// The design of frmMain.  Positions and sizes are in twips (1/1440 inch),
// from the top left corner of the client area; they become pixels at the
// window's DPI.

inline constexpr const wchar_t* FrmMainCaption = L"[_ Kestrune 2000 _|";
inline constexpr int FrmMainClientWidth = 6705;
inline constexpr int FrmMainClientHeight = 2730;
inline constexpr DWORD FrmMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD FrmMainExStyle = 0;

struct FontDesign {
    const wchar_t* face;  // nullptr: the system's message font
    int centipoints;      // size in hundredths of a point
    bool bold;
    BYTE pitchAndFamily;  // guides the font mapper where the face is missing
};

inline constexpr FontDesign WindowDefaultFont = {nullptr, 0, false, 0};
inline constexpr BYTE Typewriter = FIXED_PITCH | FF_MODERN;
inline constexpr BYTE SansSerif = VARIABLE_PITCH | FF_SWISS;
inline constexpr COLORREF WindowDefaultColour = CLR_INVALID;

struct ControlDesign {
    const wchar_t* name;
    int id;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
    const wchar_t* text;
    FontDesign font;
    COLORREF textColour;
    bool visibleAtStart;
};

// Labels never take the focus; SS_NOPREFIX keeps an '&' in a caption from
// becoming an access key.
inline constexpr DWORD LabelStyle = WS_CHILD | SS_LEFT | SS_NOPREFIX;
inline constexpr DWORD TextBoxStyle = WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
inline constexpr DWORD PushButtonStyle = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;

// In tab order, which is also the order of creation.
inline constexpr std::array<ControlDesign, 5> FrmMainControls = {{
    // name          id               class      style            ex style          left  top   width height text
    {L"Label2",      IDC_LABEL2,      L"STATIC", LabelStyle,      0,                 840,  120, 5415, 495, L"Kestrune 2000 French Language Patch",
     {L"Courier New", 1125, true, Typewriter}, RGB(0, 0, 255), true},
    {L"txtFilePath", IDC_TXTFILEPATH, L"EDIT",   TextBoxStyle,    WS_EX_CLIENTEDGE,  240, 1440, 6255, 375, L"C:\\Program Files\\Kestrune\\Kestrune.exe",
     {L"Courier New", 975, false, Typewriter}, WindowDefaultColour, true},
    {L"Label4",      IDC_LABEL4,      L"STATIC", LabelStyle,      0,                   0,  960, 6735, 375, L"Please Enter the Path of the Kestrune Executable Program:",
     {L"Courier New", 825, false, Typewriter}, RGB(0, 0, 255), true},
    {L"cmdUpdate",   IDC_CMDUPDATE,   L"BUTTON", PushButtonStyle, 0,                2280, 2160, 1935, 375, L"Perform Update",
     WindowDefaultFont, WindowDefaultColour, true},
    {L"lblWait",     IDC_LBLWAIT,     L"STATIC", LabelStyle,      0,                4560, 2160, 2055, 255, L"Please Wait...",
     {L"MS Sans Serif", 1200, true, SansSerif}, WindowDefaultColour, false},
}};

int TwipsToPixels(int twips, UINT dpi);

// The control's design font at `dpi`; the caller deletes it.
HFONT CreateDesignFont(const FontDesign& font, UINT dpi);

// The design of the control with this id, or nullptr.
const ControlDesign* FindControlDesign(int id);
