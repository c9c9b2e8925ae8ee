#include "AppIconDrawing.h"
#include "app/AppResources.h"
#include "app/CaptionIconPicture.h"
#include "gui/skin/CSkinImage.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
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

// A resource's bytes, or an empty block when the module has none of that name.
std::vector<uint8_t> ResourceBytes(LPCSTR name, LPCSTR type)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

} // namespace

// The icon group holds the generator's three images byte for byte, and each
// loads at its size; the title bar's 17-pixel picture is the same drawing.
TEST(AppResources, IconsAreTheCommittedDrawings)
{
    const std::vector<uint8_t> group = ResourceBytes(MAKEINTRESOURCEA(IDI_QUILLMERE), RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(GroupIconHeader));
    GroupIconHeader header;
    std::memcpy(&header, group.data(), sizeof(header));
    ASSERT_EQ(header.count, kAppIconSizeCount);
    ASSERT_EQ(group.size(), sizeof(header) + header.count * sizeof(GroupIconEntry));
    for (int i = 0; i < kAppIconSizeCount; ++i) {
        const int size = kAppIconSizes[i];
        SCOPED_TRACE(size);
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + sizeof(header) + i * sizeof(entry), sizeof(entry));
        EXPECT_EQ(entry.width, size);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_EQ(ResourceBytes(MAKEINTRESOURCEA(entry.id), RT_ICON), DrawAppIconImage(size))
            << "regenerate with gen_app_artwork";
        HICON icon = (HICON)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLMERE), IMAGE_ICON, size,
                                       size, LR_DEFAULTCOLOR);
        EXPECT_TRUE(icon);
        DestroyIcon(icon);
    }

    CSkinImage holder;
    ASSERT_EQ(holder.DecodePngImage(kCaptionIconPicture.data, kCaptionIconPicture.size), 0);
    const CBitmapDC& image = holder.GetImage();
    ASSERT_EQ(image.GetWidth(), kCaptionIconSize);
    ASSERT_EQ(image.GetHeight(), kCaptionIconSize);
    const std::vector<uint32_t> drawn = DrawAppIconPixels(kCaptionIconSize);
    EXPECT_EQ(std::memcmp(image.GetBits(), drawn.data(), drawn.size() * 4), 0) << "regenerate with gen_app_artwork";
}

TEST(AppResources, StringsAndTheAcceleratorTableLoad)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char text[64];
    EXPECT_EQ(LoadStringA(instance, IDS_APP_TITLE, text, sizeof(text)), 13);
    EXPECT_STREQ(text, "Quillmere RTA");
    EXPECT_GT(LoadStringA(instance, IDC_QUILLMERE, text, sizeof(text)), 0);

    HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_QUILLMERE));
    ASSERT_TRUE(table);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 2);
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
    const WORD keys[2] = {'?', '/'};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].fVirt, FALT) << i; // a character, not a virtual key
        EXPECT_EQ(entries[i].key, keys[i]) << i;
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT) << i;
    }
    DestroyAcceleratorTable(table);
}
