#pragma once
#include "gui/skin/SkinDrawRequest.h"
#include "gui/CListener.h"
#include "gui/CObjectBase.h"

class CSkinFont;

// The look of a window as its controls see it: they draw elements through it,
// ask it for named pictures and fonts, and send it skin queries (SkinQuery)
// through the listener part. The base does nothing and answers nothing.
class CSkin : public CListener, public CObjectBase {
public:
    virtual void DrawElement(const SkinDrawRequest& request) {}
    virtual void GetImageRef(ImageRef& ref) {}
    virtual CSkinFont* GetFont(int slot, int size) { return nullptr; }
};

// Skin query 1001 from sender: the content insets and the image set of an
// element kind at width x height; without a skin both stay empty.
inline SkinElementQuery QuerySkinElement(CSkin* skin, void* sender, int kind, int width, int height)
{
    SkinElementQuery query = {kind, width, height, {}, nullptr};
    if (skin)
        skin->OnEvent(sender, EventSource::Request, kSkinQueryElement, 0, SkinQueryParam(&query), nullptr);
    return query;
}
