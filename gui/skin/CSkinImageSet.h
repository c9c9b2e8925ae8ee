#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/SkinInsets.h"
#include <memory>
#include <vector>

// The pictures of one skin element, indexed by visual state (0..9), with the
// metrics that stretching and the controls read. Filled once when the skin
// loads; the set owns its pictures. GUI thread only.
class CSkinImageSet {
public:
    static const int kStateCount = 10;

    CSkinImageSet();
    virtual ~CSkinImageSet() = default;
    CSkinImageSet(const CSkinImageSet&) = delete;
    CSkinImageSet& operator=(const CSkinImageSet&) = delete;

    // Appends a copy of the picture (an empty one stays empty and draws nothing).
    void AddCopy(const CBitmapDC& image);
    // Appends the picture scaled by factor (sizes truncated).
    void AddScaledCopy(const CBitmapDC& image, float factor);
    // The picture added last shows the state; a state outside 0..9 is ignored.
    void AssignState(int state);
    // Null for a state without a picture or outside 0..9.
    const CBitmapDC* StateImage(int state) const;
    // Pictures in the order added; null outside 0..count - 1.
    const CBitmapDC* ImageAt(int index) const;
    int GetImageCount() const { return int(m_images.size()); }

    // Read by controls through the skin's element query.
    int extraValues[4];
    SkinInsets stretchInsets; // the fixed margins of corner stretching
    SkinInsets contentInsets; // where text and marks go inside the element
    SkinInsets zoneA;         // the cut of the three-piece stretches, in picture coordinates
    SkinInsets zoneB;
    int extraFlag;
    int buttonValues[2]; // the first is the push button's indicator inset

private:
    std::vector<std::unique_ptr<CBitmapDC>> m_images;
    const CBitmapDC* m_states[kStateCount];
};
