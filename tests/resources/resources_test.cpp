// Every picture and icon the program loads by name is in the executable, at the size and colour
// depth its users draw it with, and on the background colour they expect.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "win32/unique_handle.h"

namespace vistrel {
namespace {

constexpr COLORREF kDialogBody = RGB(220, 222, 220);
constexpr COLORREF kProgramGrey = RGB(223, 223, 223);

const BITMAPINFOHEADER* bitmap_resource(const wchar_t* name) {
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!found) {
        return nullptr;
    }
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
}

/// Colour of pixel (x, y), y counted from the top, of an uncompressed bottom-up DIB of 4, 8 or 24 bits.
COLORREF dib_pixel(const BITMAPINFOHEADER* info, int x, int y) {
    const auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(info) + info->biSize);
    DWORD colours = info->biBitCount > 8 ? 0 : (info->biClrUsed ? info->biClrUsed : 1u << info->biBitCount);
    const auto* bits = reinterpret_cast<const std::uint8_t*>(palette + colours);
    const LONG stride = (info->biWidth * info->biBitCount + 31) / 32 * 4;
    const std::uint8_t* row = bits + (info->biHeight - 1 - y) * stride;
    if (info->biBitCount == 24) {
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
    const unsigned index = info->biBitCount == 8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 15u;
    const RGBQUAD& c = palette[index];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

struct BitmapCase {
    std::wstring name;  // mixed case on purpose: lookups ignore case
    LONG width;
    LONG height;
    WORD bits;
    std::optional<COLORREF> background;  // bottom-left pixel, the transparent colour
};

std::vector<BitmapCase> bitmap_cases() {
    std::vector<BitmapCase> cases = {
        {L"BkMessageBox", 250, 100, 8, std::nullopt}, {L"dlgClose", 10, 9, 24, std::nullopt},
        {L"dlgMax", 11, 11, 24, std::nullopt},        {L"dlgRestore", 10, 11, 24, std::nullopt},
        {L"dlgMin", 9, 9, 24, std::nullopt},          {L"DlgMax_Gray", 11, 11, 24, std::nullopt},
        {L"DlgMin_Gray", 9, 9, 24, std::nullopt},     {L"dlgDragHnd", 13, 12, 24, kDialogBody},
        {L"zqInfoDlgIcon1", 32, 32, 4, kDialogBody},  {L"zqInfoDlgIcon2", 32, 32, 4, kDialogBody},
        {L"zqInfoDlgIcon3", 32, 32, 4, kDialogBody},  {L"zqInfoDlgIcon4", 32, 32, 4, kDialogBody},
        {L"CtlRun", 32, 32, 24, kProgramGrey},        {L"CtlPause", 32, 32, 24, kProgramGrey},
    };
    for (int i = 0; i < 14; ++i) {
        cases.push_back({L"AboutAni" + std::to_wstring(i), 88, 65, 24, kProgramGrey});
    }
    return cases;
}

TEST(Resources, BitmapsLoadByNameAtTheirSizeAndDepth) {
    for (const auto& c : bitmap_cases()) {
        SCOPED_TRACE(testing::Message() << c.name);
        const BITMAPINFOHEADER* info = bitmap_resource(c.name.c_str());
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->biWidth, c.width);
        EXPECT_EQ(info->biHeight, c.height);
        EXPECT_EQ(info->biBitCount, c.bits);
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
        if (c.background) {
            EXPECT_EQ(dib_pixel(info, 0, c.height - 1), *c.background);
        }

        UniqueHbitmap loaded(LoadBitmapW(GetModuleHandleW(nullptr), c.name.c_str()));
        ASSERT_TRUE(loaded);
        BITMAP bm{};
        ASSERT_NE(GetObjectW(loaded.get(), sizeof bm, &bm), 0);
        EXPECT_EQ(bm.bmWidth, c.width);
        EXPECT_EQ(bm.bmHeight, c.height);
    }
}

// The frame repeats rows 50..74 down the sides and columns 125..149 along the top and bottom, and
// a last tile may cover up to 24 rows or columns of the corner after it: those must not vary.
TEST(Resources, FramePictureTilesWithoutSeams) {
    const BITMAPINFOHEADER* info = bitmap_resource(L"BKMESSAGEBOX");
    ASSERT_NE(info, nullptr);
    for (int x = 0; x < 250; ++x) {
        for (int y = 51; y < 75; ++y) {
            ASSERT_EQ(dib_pixel(info, x, y), dib_pixel(info, x, 50)) << "x " << x << " y " << y;
        }
    }
    for (int y = 0; y < 100; ++y) {
        for (int x = 126; x < 150; ++x) {
            ASSERT_EQ(dib_pixel(info, x, y), dib_pixel(info, 125, y)) << "x " << x << " y " << y;
        }
    }
    EXPECT_EQ(dib_pixel(info, 125, 60), kDialogBody);
}

std::set<std::pair<int, int>> icon_images(const wchar_t* name) {
    // GRPICONDIR as stored in a module: 6-byte header, then 14-byte entries.
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (!found) {
        return {};
    }
    const auto* dir = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const int count = dir[4] | dir[5] << 8;
    std::set<std::pair<int, int>> images;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* entry = dir + 6 + 14 * i;
        const int size = entry[0] ? entry[0] : 256;
        images.insert({size, entry[6] | entry[7] << 8});
    }
    return images;
}

TEST(Resources, IconsHoldTheirSizesWithAlpha) {
    struct Case {
        const wchar_t* name;
        std::set<std::pair<int, int>> images;  // (size, bits per pixel)
    };
    const Case cases[] = {
        {L"MainIcon", {{16, 32}, {24, 32}, {32, 32}, {48, 32}, {256, 32}}},
        {L"TrayPaused", {{16, 32}, {32, 32}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        EXPECT_EQ(icon_images(c.name), c.images);
        for (const auto& image : c.images) {
            const int size = image.first;
            SCOPED_TRACE(size);
            UniqueHicon icon(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), c.name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
            ASSERT_TRUE(icon);
            ICONINFO ii{};
            ASSERT_TRUE(GetIconInfo(icon.get(), &ii));
            UniqueHbitmap colour(ii.hbmColor);
            UniqueHbitmap mask(ii.hbmMask);
            BITMAP bm{};
            ASSERT_NE(GetObjectW(colour.get(), sizeof bm, &bm), 0);
            EXPECT_EQ(bm.bmWidth, size);
            EXPECT_EQ(bm.bmHeight, size);
        }
    }
}

// Explorer shows the first icon group of an executable.
TEST(Resources, ProgramIconIsTheFirstIcon) {
    std::wstring first;
    EnumResourceNamesW(
        nullptr, MAKEINTRESOURCEW(14),
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) -> BOOL {
            *reinterpret_cast<std::wstring*>(out) = IS_INTRESOURCE(name) ? L"#" : name;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, L"MAINICON");
}

// Every size of the program is laid out for 96 DPI: on other screens Windows must scale the whole window (and
// draw its text and lines sharply while it does), not leave it to the program.
TEST(Resources, ManifestLeavesScalingToWindows) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">true</gdiScaling>"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);  // it would override dpiAware
}

}  // namespace
}  // namespace vistrel
