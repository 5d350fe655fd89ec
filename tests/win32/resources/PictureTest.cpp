// Every picture and the icon load from the resources, in the sizes the dialogs expect.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace {

struct PictureSpec {
    const char* name;  // resource name, or nullptr for a numbered picture
    int id;
    int minWidth;
    int minHeight;
};

const PictureSpec kPictures[] = {
    {nullptr, IDB_TITLE, 400, 280},     {nullptr, IDB_BILLBOARD_0, 100, 100},
    {nullptr, IDB_BILLBOARD_1, 100, 100}, {nullptr, IDB_BILLBOARD_2, 100, 100},
    {nullptr, IDB_BILLBOARD_3, 100, 100}, {nullptr, IDB_BILLBOARD_4, 100, 100},
    {nullptr, IDB_BILLBOARD_5, 100, 100}, {"WIZBITU", 0, 100, 200},
    {"MINIMUMU", 0, 40, 30}, {"MINIMUMD", 0, 40, 30}, {"TYPICALU", 0, 40, 30},
    {"TYPICALD", 0, 40, 30}, {"CUSTOMU", 0, 40, 30}, {"CUSTOMD", 0, 40, 30},
};

TEST(Pictures, EveryBitmapLoads)
{
    for (const PictureSpec& row : kPictures) {
        std::string what = row.name ? row.name : std::to_string(row.id);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr),
                                     row.name ? row.name : MAKEINTRESOURCEA(row.id));
        ASSERT_TRUE(bitmap) << what;
        BITMAP info = {};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info)) << what;
        EXPECT_GE(info.bmWidth, row.minWidth) << what;
        EXPECT_GE(info.bmHeight, row.minHeight) << what;
        DeleteObject(bitmap);
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
