#include "main_layout.h"

#include <algorithm>
#include <cwchar>

#include "win32_error.h"

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

HFONT CreateDesignFont(const FontDesign& font, UINT dpi) {
    LOGFONTW logFont{};
    if (font.face == nullptr) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
            throw Win32Error("SystemParametersInfoForDpi");
        }
        logFont = metrics.lfMessageFont;
    } else {
        logFont.lfHeight = -MulDiv(font.centipoints, static_cast<int>(dpi), 7200);
        logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        logFont.lfQuality = DEFAULT_QUALITY;
        logFont.lfPitchAndFamily = font.pitchAndFamily;
        const std::size_t length = std::min<std::size_t>(std::wcslen(font.face), LF_FACESIZE - 1);
        std::copy_n(font.face, length, logFont.lfFaceName);
    }
    // Every font of the window is a Western one.
    logFont.lfCharSet = ANSI_CHARSET;
    HFONT handle = CreateFontIndirectW(&logFont);
    if (handle == nullptr) throw Win32Error("CreateFontIndirectW");
    return handle;
}

const ControlDesign* FindControlDesign(int id) {
    for (const ControlDesign& control : FrmMainControls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}
