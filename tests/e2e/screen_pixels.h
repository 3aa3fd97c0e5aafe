#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A rectangle of 24-bit pixels, each stored as 0x00RRGGBB, rows from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
};

inline std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

// The header of a 32-bit top-down bitmap, the form the pictures here are read in.
inline BITMAPINFO TopDownRgbBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// What the screen shows inside `rect` (screen coordinates).
Pixels CaptureScreen(const RECT& rect);

struct TextLook {
    std::wstring face;
    int height;  // LOGFONT height: negative for the character height in pixels
    bool bold;
    // What the face is, so that a system without it substitutes a font of the same kind.
    BYTE pitchAndFamily;
};

// `text` drawn as a static label draws it, over `background`, in a box of the given size.
Pixels DrawLabel(int width, int height, std::uint32_t background, std::uint32_t colour,
                 const TextLook& look, const std::wstring& text);

// The most frequent pixel value: the background of a label.
std::uint32_t MostFrequent(const Pixels& pixels);
// The number of positions where the two pictures differ (all of them if the sizes differ).
std::size_t Differences(const Pixels& a, const Pixels& b);
