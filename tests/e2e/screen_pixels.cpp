#include "screen_pixels.h"

#include "win32_error.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = TopDownRgbBitmap(width, height);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (!dc_ || !bitmap_) ThrowLastError("CreateDIBSection", L"canvas");
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    Pixels pixels() const {
        GdiFlush();
        Pixels result{width_, height_, {}};
        const auto* source = static_cast<const std::uint32_t*>(bits_);
        result.rgb.assign(source, source + static_cast<std::size_t>(width_) * height_);
        for (auto& pixel : result.rgb) pixel &= 0xFFFFFF;
        return result;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

COLORREF ToColorref(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

Pixels CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    const BOOL copied = BitBlt(canvas.dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!copied) ThrowLastError("BitBlt", L"screen");
    return canvas.pixels();
}

Pixels DrawLabel(int width, int height, std::uint32_t background, std::uint32_t colour,
                 const TextLook& look, const std::wstring& text) {
    Canvas canvas(width, height);
    RECT box{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(ToColorref(background));
    FillRect(canvas.dc(), &box, brush);
    DeleteObject(brush);

    LOGFONTW font{};
    font.lfHeight = look.height;
    font.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfPitchAndFamily = look.pitchAndFamily;
    look.face.copy(font.lfFaceName, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(canvas.dc(), handle);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), ToColorref(colour));
    DrawTextW(canvas.dc(), text.c_str(), -1, &box, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(canvas.dc(), old);
    DeleteObject(handle);
    return canvas.pixels();
}

std::uint32_t MostFrequent(const Pixels& pixels) {
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t pixel : pixels.rgb) ++counts[pixel];
    std::uint32_t best = 0;
    int bestCount = -1;
    for (const auto& [pixel, count] : counts)
        if (count > bestCount) best = pixel, bestCount = count;
    return best;
}

std::size_t Differences(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height) return std::max(a.rgb.size(), b.rgb.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) count += a.rgb[i] != b.rgb[i];
    return count;
}
