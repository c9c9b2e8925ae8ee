#pragma once
#include <cstdint>

// The embedded skin pictures, PNG files compiled into the program
// (SkinArtwork.cpp, made by tests/gui/skin/GenerateSkinArtwork.cpp). Set
// pictures are named by the renderer's image set and the visual states they
// show; the others by the image reference id that serves them.
enum class SkinPicture : int {
    Set3State2, // 32 x 20; sets 4 and 5 scale the five of set 3
    Set3State3, // also state 6
    Set3State0,
    Set3State1,
    Set3State9,
    Set6,       // 16 x 21
    Set7State0, // 12 x 14
    Set7State1,
    Set7State7, // the check mark, drawn as shading of the box
    Set1State0, // 35 x 52, frame: magenta outside the rounded corners
    Set1State1,
    Set1State2,
    Set2State0, // 19 x 27, frame
    Set2State1, // also state 2
    Set8State0, // 32 x 18
    Set8State8, // frame
    Set9State8, // 16 x 9, frame
    Set10,      // 12 x 11
    Set11Icon0, // 17 x 16 each
    Set11Icon1,
    Set11Icon2,
    Set11Icon3,
    Set11Icon4,
    Set12,       // 15 x 14
    Set13State0, // 31 x 22; set 14 scales both
    Set13State8,
    Set26State0, // 36 x 22
    Set26State8,
    Set15,     // 17 x 17
    Set16,     // 17 x 17, scaled to 6 x 6
    Set18,     // 48 x 3
    Set17,     // 11 x 2
    Set20,     // 3 x 48
    Set19,     // 2 x 11
    Set21,     // 14 x 12
    Set22,     // 14 x 12
    Set23,     // 33 x 29
    Set24,     // 33 x 30
    Set25,     // 17 x 19
    IconStrip, // 1500 x 43: cells of 44 pixels, each the glyph its image id names
    Ref1000,   // 100 x 100: the check mark of menus and check buttons
    Ref1002,   // 200 x 240, palette with transparency
    Ref1007,   // 216 x 212, palette with transparency
    Ref1003,   // 9 x 9
    Ref1004,   // 9 x 9
    Ref1005,   // 48 x 48
    Ref1006,   // 48 x 47
    Count
};

const int kSkinPictureCount = int(SkinPicture::Count);

struct SkinPictureBlob {
    const uint8_t* data;
    uint32_t size;
};

// Indexed by SkinPicture.
extern const SkinPictureBlob kSkinPictures[kSkinPictureCount];
