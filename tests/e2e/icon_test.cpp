// The program file's icon, read back from the built .exe as Windows shows it,
// against the picture it is drawn from.
#include "icon_art.h"
#include "programs.h"
#include "win32_error.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

constexpr int kProgramIconId = 1;

class ProgramFile {
public:
    ProgramFile() {
        module_ = LoadLibraryExW(UtilityExe().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!module_) ThrowLastError("LoadLibraryExW", UtilityExe());
    }
    ~ProgramFile() { FreeLibrary(module_); }
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;

    HMODULE module() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

// The 32-bit pixels of a bitmap, rows from the top, as 0x00RRGGBB.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = IconArtSize;
    info.bmiHeader.biHeight = -IconArtSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(IconArtSize * IconArtSize);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, IconArtSize, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != IconArtSize) ThrowLastError("GetDIBits", L"icon");
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

TEST(ProgramIcon, IsOne32By32ImageIn16Colours) {
    ProgramFile program;
    HRSRC resource = FindResourceW(program.module(), MAKEINTRESOURCEW(kProgramIconId), RT_GROUP_ICON);
    ASSERT_NE(resource, nullptr) << "no icon group " << kProgramIconId;
    const auto* header = static_cast<const GroupIconHeader*>(
        LockResource(LoadResource(program.module(), resource)));
    ASSERT_NE(header, nullptr);
    ASSERT_EQ(header->count, 1);
    const auto* entry = reinterpret_cast<const GroupIconEntry*>(header + 1);
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 32);
    EXPECT_EQ(entry->colourCount, 16);
    EXPECT_EQ(entry->bitCount, 4);
}

TEST(ProgramIcon, ShowsTheTricolourInItsFrameOnATransparentGround) {
    ProgramFile program;
    HICON icon = static_cast<HICON>(LoadImageW(program.module(), MAKEINTRESOURCEW(kProgramIconId),
                                               IMAGE_ICON, IconArtSize, IconArtSize, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    ASSERT_NE(info.hbmColor, nullptr);
    const auto mask = PixelsOf(info.hbmMask);
    const auto colour = PixelsOf(info.hbmColor);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);

    const std::map<char, std::uint32_t> colours = {
        {'K', 0x000000}, {'B', 0x0000FF}, {'W', 0xFFFFFF}, {'R', 0xFF0000}};
    std::size_t wrong = 0;
    for (int y = 0; y < IconArtSize; ++y) {
        for (int x = 0; x < IconArtSize; ++x) {
            const char art = IconArt[y][x];
            const std::size_t i = static_cast<std::size_t>(y * IconArtSize + x);
            const bool transparent = mask[i] != 0;
            const bool right = art == '.' ? transparent : !transparent && colour[i] == colours.at(art);
            if (!right && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") should be '" << art << "'";
        }
    }
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
