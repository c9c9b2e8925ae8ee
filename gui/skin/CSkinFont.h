#pragma once
#include <windows.h>

// One of the toolkit's fixed text fonts, chosen by slot:
//   slot  face                    height weight quality      shadow offset
//   0     "Tahoma"                13     bold   antialiased  1   (also every slot outside 1..16)
//   1     "Tahoma"                13     normal default      1
//   2     "Tahoma"                18     normal default      1
//   3     "Tahoma"                11     normal plain        1
//   4     "Small Fonts"           9      normal default      1
//   5     "Small Fonts"           11     normal default      1
//   6     "Microsoft Sans Serif"  13     bold   antialiased  1
//   7     "Microsoft Sans Serif"  22     bold   antialiased  2
//   8     "Tahoma"                13     bold   default      1
//   9     "Tahoma"                27     normal default      2
//   10    "Tahoma"                21     normal default      1
//   11    "Tahoma"                20     normal default      1
//   12    "Tahoma"                17     bold   default      1
//   13    "Tahoma"                17     normal default      1
//   14    "Tahoma"                13     normal plain        1
//   15    "Courier New"           14     normal plain        1
//   16    "Tahoma"                11     normal plain        1
// The height is the cell height in pixels; the drop shadow of text in the font
// sits one pixel right and down for every 11 pixels of it, at least one.
// A font the system refuses stays null and text falls back to the DC's font.
// The owner (the skin renderer) keeps the font; text records only point at it.
class CSkinFont {
public:
    static const int kSlotCount = 17;

    CSkinFont();
    virtual ~CSkinFont();
    CSkinFont(const CSkinFont&) = delete;
    CSkinFont& operator=(const CSkinFont&) = delete;

    void Create(int slot);
    // Replaces the font; not italic, underlined or struck out, ANSI, TrueType
    // preferred, default pitch. Quality is a CreateFont quality.
    void MakeFont(int height, int weight, DWORD quality, const char* face);
    void Release();

    HFONT GetHandle() const { return m_font; }
    int GetHeight() const { return m_height; }
    int GetShadowOffset() const { return m_shadowOffset; }

    // For text that names no font: the DC's font, 15 pixels, shadow offset 1.
    static HFONT HandleOf(const CSkinFont* font);
    static int HeightOf(const CSkinFont* font);
    static int ShadowOffsetOf(const CSkinFont* font);

private:
    int m_height;
    int m_shadowOffset;
    HFONT m_font;
};
