// Every picture and the icon load from the resources, in the sizes the dialogs expect; the
// pictures, stored run-length encoded, show exactly the pixels of the committed art.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct PictureSpec {
    const char* name;  // resource name, or nullptr for a numbered picture
    int id;
    int minWidth;
    int minHeight;
    const char* art;  // the committed picture under resources/art
};

const PictureSpec kPictures[] = {
    {nullptr, IDB_TITLE, 400, 280, "title.bmp"},
    {nullptr, IDB_BILLBOARD_0, 100, 100, "billboard0.bmp"},
    {nullptr, IDB_BILLBOARD_1, 100, 100, "billboard1.bmp"},
    {nullptr, IDB_BILLBOARD_2, 100, 100, "billboard2.bmp"},
    {nullptr, IDB_BILLBOARD_3, 100, 100, "billboard3.bmp"},
    {nullptr, IDB_BILLBOARD_4, 100, 100, "billboard4.bmp"},
    {nullptr, IDB_BILLBOARD_5, 100, 100, "billboard5.bmp"},
    {"WIZBITU", 0, 100, 200, "wizbitu.bmp"},
    {"MINIMUMU", 0, 40, 30, "minimumu.bmp"},
    {"MINIMUMD", 0, 40, 30, "minimumd.bmp"},
    {"TYPICALU", 0, 40, 30, "typicalu.bmp"},
    {"TYPICALD", 0, 40, 30, "typicald.bmp"},
    {"CUSTOMU", 0, 40, 30, "customu.bmp"},
    {"CUSTOMD", 0, 40, 30, "customd.bmp"},
};

const char* ResourceName(const PictureSpec& row)
{
    return row.name ? row.name : MAKEINTRESOURCEA(row.id);
}

// The colours of a committed 8-bit uncompressed BMP, bottom-up, as GetDIBits gives them at
// 32 bits per pixel (blue, green, red, zero).
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colours;
};

Pixels ReadCommittedArt(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Pixels out;
    BITMAPFILEHEADER header;
    BITMAPINFOHEADER info;
    if (file.size() < sizeof header + sizeof info)
        return out;
    std::memcpy(&header, file.data(), sizeof header);
    std::memcpy(&info, file.data() + sizeof header, sizeof info);
    if (info.biBitCount != 8 || info.biCompression != BI_RGB || info.biHeight <= 0)
        return out;
    const unsigned char* table = file.data() + sizeof header + info.biSize;
    const std::size_t stride = (info.biWidth + 3) & ~3;
    if (header.bfOffBits + stride * info.biHeight > file.size())
        return out;
    out.width = info.biWidth;
    out.height = info.biHeight;
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = file.data() + header.bfOffBits + y * stride;
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t colour;
            std::memcpy(&colour, table + 4 * row[x], 4);
            out.colours.push_back(colour & 0x00FFFFFF);
        }
    }
    return out;
}

Pixels ReadLoadedBitmap(HBITMAP bitmap)
{
    Pixels out;
    BITMAP shape = {};
    if (!GetObjectA(bitmap, sizeof shape, &shape))
        return out;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = shape.bmHeight;  // bottom-up, as the files store their rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(shape.bmWidth) * shape.bmHeight);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, shape.bmHeight, colours.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != shape.bmHeight)
        return out;
    for (std::uint32_t& colour : colours)
        colour &= 0x00FFFFFF;
    out.width = shape.bmWidth;
    out.height = shape.bmHeight;
    out.colours = std::move(colours);
    return out;
}

TEST(Pictures, EveryBitmapLoads)
{
    for (const PictureSpec& row : kPictures) {
        std::string what = row.name ? row.name : std::to_string(row.id);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), ResourceName(row));
        ASSERT_TRUE(bitmap) << what;
        BITMAP info = {};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info)) << what;
        EXPECT_GE(info.bmWidth, row.minWidth) << what;
        EXPECT_GE(info.bmHeight, row.minHeight) << what;
        DeleteObject(bitmap);
    }
}

// The pictures take a quarter of their plain size on the diskette: a build that embedded them
// uncompressed would still show them, and only this says so.
TEST(Pictures, StoredRunLengthEncoded)
{
    for (const PictureSpec& row : kPictures) {
        HRSRC found = FindResourceA(GetModuleHandleA(nullptr), ResourceName(row), MAKEINTRESOURCEA(2));
        ASSERT_TRUE(found) << row.art;
        auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
        ASSERT_TRUE(info) << row.art;
        EXPECT_EQ(info->biBitCount, 8) << row.art;
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RLE8)) << row.art;
    }
}

// Decoded by Windows, every pixel is the committed picture's, which the program used to carry
// uncompressed. The display must show colours exactly (the tests' display has 24 bits).
TEST(Pictures, DecodeToTheCommittedPixels)
{
    for (const PictureSpec& row : kPictures) {
        Pixels expected = ReadCommittedArt(std::string(KALMORA_SOURCE_DIR) + "/resources/art/" + row.art);
        ASSERT_FALSE(expected.colours.empty()) << row.art;
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), ResourceName(row));
        ASSERT_TRUE(bitmap) << row.art;
        Pixels loaded = ReadLoadedBitmap(bitmap);
        DeleteObject(bitmap);
        ASSERT_EQ(loaded.width, expected.width) << row.art;
        ASSERT_EQ(loaded.height, expected.height) << row.art;
        std::size_t wrong = 0, first = 0;
        for (std::size_t i = 0; i < expected.colours.size(); ++i) {
            if (loaded.colours[i] != expected.colours[i] && wrong++ == 0)
                first = i;
        }
        EXPECT_EQ(wrong, 0u) << row.art << ": first at x " << first % expected.width << ", line "
                             << first / expected.width << " from the bottom";
    }
}

// The up and down faces of a setup-type button have the same size.
TEST(Pictures, ButtonFacesMatch)
{
    for (const char* base : {"MINIMUM", "TYPICAL", "CUSTOM"}) {
        BITMAP up = {}, down = {};
        HBITMAP u = LoadBitmapA(GetModuleHandleA(nullptr), (std::string(base) + "U").c_str());
        HBITMAP d = LoadBitmapA(GetModuleHandleA(nullptr), (std::string(base) + "D").c_str());
        ASSERT_TRUE(u && d) << base;
        GetObjectA(u, sizeof up, &up);
        GetObjectA(d, sizeof down, &down);
        EXPECT_EQ(up.bmWidth, down.bmWidth) << base;
        EXPECT_EQ(up.bmHeight, down.bmHeight) << base;
        DeleteObject(u);
        DeleteObject(d);
    }
}

TEST(Pictures, IconHasLargeAndSmallImages)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_TRUE(LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP)));
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}

}  // namespace
