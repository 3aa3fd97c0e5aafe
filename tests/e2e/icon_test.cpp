// The program file's icon, read back from the built .exe as Windows shows it,
// against the picture it is drawn from.
#include "icon_art.h"
#include "programs.h"
#include "running_utility.h"
#include "screen_pixels.h"
#include "window_query.h"
#include "win32_error.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <regex>
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
    BITMAPINFO info = TopDownRgbBitmap(IconArtSize, IconArtSize);
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

// Wine draws the window's frame itself when no window manager does (see the
// driver's environment), so the caption shows the window's small icon.
TEST(ProgramIcon, IsShownInTheMainWindowsCaption) {
    RunningUtility utility;
    RECT frame{};
    GetWindowRect(utility.window(), &frame);
    POINT clientTop{0, 0};
    ClientToScreen(utility.window(), &clientTop);
    const int captionHeight = clientTop.y - frame.top;
    ASSERT_GT(captionHeight, 8) << "the window has no caption to look at";
    const RECT iconArea{frame.left, frame.top, frame.left + 2 * captionHeight, clientTop.y};

    // A row of the icon crosses blue, white and red bands of pure colour, in that order.
    const std::regex tricolour("B{3,}W{3,}R{3,}");
    const auto found = WaitFor(
        [&] {
            const Pixels caption = CaptureScreen(iconArea);
            for (int y = 0; y < caption.height; ++y) {
                std::string row;
                for (int x = 0; x < caption.width; ++x) {
                    const std::uint32_t pixel = caption.at(x, y);
                    row += pixel == 0x0000FF ? 'B' : pixel == 0xFFFFFF ? 'W' : pixel == 0xFF0000 ? 'R' : '.';
                }
                if (std::regex_search(row, tricolour)) return true;
            }
            return false;
        },
        kStepTimeout);
    EXPECT_TRUE(found) << "no tricolour in the caption";
}

}  // namespace
