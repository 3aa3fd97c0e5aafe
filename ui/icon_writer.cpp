// Writes the program's icon file from the picture in icon_art.h: one 32 x 32
// image with 4 bits per pixel (16 colours) and a transparency mask.
// Usage: icon_writer OUTPUT.ico

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_art.h"

namespace {

// The 16 colours of the standard Windows palette, as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> Palette = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255},
}};

// Palette index of a picture letter; transparent pixels are black under the mask.
std::uint8_t PaletteIndex(char letter) {
    switch (letter) {
        case '.': return 0;
        case 'K': return 0;
        case 'R': return 9;
        case 'B': return 12;
        case 'W': return 15;
    }
    throw std::runtime_error(std::string("icon_art.h: unknown pixel letter '") + letter + "'");
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::vector<std::uint8_t> IconFile() {
    constexpr unsigned size = IconArtSize;
    constexpr unsigned colourRowBytes = size / 2;                // 4 bits a pixel, already a multiple of 4
    constexpr unsigned maskRowBytes = ((size + 31) / 32) * 4;  // 1 bit a pixel, rows padded to 4 bytes
    constexpr unsigned headerBytes = 40;
    constexpr unsigned imageBytes = headerBytes + 16 * 4 + size * colourRowBytes + size * maskRowBytes;

    std::vector<std::uint8_t> out;
    // ICONDIR and its one ICONDIRENTRY.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(16);  // colours
    out.push_back(0);
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 6 + 16);

    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    Put32(out, headerBytes);
    Put32(out, size);
    Put32(out, size * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);  // BI_RGB
    Put32(out, size * colourRowBytes + size * maskRowBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& colour : Palette) {
        out.insert(out.end(), {colour[2], colour[1], colour[0], 0});
    }

    // Rows are stored from the bottom up.
    for (unsigned row = size; row-- > 0;) {
        const char* pixels = IconArt[row];
        if (std::strlen(pixels) != size) throw std::runtime_error("icon_art.h: row " + std::to_string(row) + " is not 32 pixels");
        for (unsigned column = 0; column < size; column += 2) {
            out.push_back(static_cast<std::uint8_t>(PaletteIndex(pixels[column]) << 4 | PaletteIndex(pixels[column + 1])));
        }
    }
    for (unsigned row = size; row-- > 0;) {
        std::vector<std::uint8_t> mask(maskRowBytes, 0);
        for (unsigned column = 0; column < size; ++column) {
            if (IconArt[row][column] == '.') mask[column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    if (out.size() != 6 + 16 + imageBytes) throw std::logic_error("icon file size does not add up");
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_writer OUTPUT.ico\n");
        return 2;
    }
    try {
        const std::vector<std::uint8_t> icon = IconFile();
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(icon.data()), static_cast<std::streamsize>(icon.size()));
        file.close();
        if (!file) throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "icon_writer: %s\n", error.what());
        return 1;
    }
    return 0;
}
