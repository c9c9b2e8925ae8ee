#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/CTextBuffer.h"
#include "gui/skin/CTextPainter.h"
#include "gui/CObjectBase.h"
#include <cstdint>

class CControlContainer;
class CSkinFont;
class CSkinRenderer;
struct CDropListItem;

// Where a row lies in the popup's container and how it looks.
struct DropListRowGeometry {
    uint8_t selected = 0; // highlighted
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    CControlContainer* container = nullptr;
    const CSkinFont* font = nullptr;
};

// One visible line of the drop list popup. It draws into a bitmap of its own
// over the container's surface under it and puts that on the popup window;
// the row is no window, the popup hit-tests it (Contains).
class CDropListRow : public CObjectBase {
public:
    CDropListRow();

    // Stores the place and look, then renders.
    void SetGeometry(const DropListRowGeometry& geometry);
    // What the row shows: a separator or spacer shows nothing but itself.
    void SetItem(const CDropListItem* item, bool selected, const CSkinFont* font, bool iconColumn);
    void Render();
    // The bottom and right edges count: rows one pixel shorter than their
    // lines tile without gaps.
    bool Contains(int x, int y) const;

    const DropListRowGeometry& GetGeometry() const { return m_geometry; }
    const CDropListItem* GetItem() const { return m_item; }
    const CTextBuffer& GetText() const { return m_text; }
    const CBitmapDC& GetBitmap() const { return m_bitmap; }

private:
    void DrawSeparator(CSkinRenderer& skin);
    void DrawHighlight(CSkinRenderer& skin);
    void DrawIcon(CSkinRenderer& skin);
    void DrawText(CSkinRenderer& skin);

    DropListRowGeometry m_geometry;
    CTextBuffer m_text;
    CTextPainter m_painter;
    CBitmapDC m_bitmap;
    const CDropListItem* m_item;
    uint8_t m_disabled;
    uint8_t m_caption;
    uint8_t m_separator;
    uint8_t m_spacer;
    uint8_t m_iconColumn; // some item of the list is marked: room for icons
    int32_t m_iconId;     // -1 none
};
