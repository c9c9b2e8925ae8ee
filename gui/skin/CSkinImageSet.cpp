#include "gui/skin/CSkinImageSet.h"
#include "gui/skin/PixelOperations.h"

CSkinImageSet::CSkinImageSet()
    : extraValues{}, stretchInsets{}, contentInsets{}, zoneA{}, zoneB{}, extraFlag(0), buttonValues{}, m_states{}
{}

void CSkinImageSet::AddCopy(const CBitmapDC& image)
{
    m_images.push_back(std::make_unique<CBitmapDC>());
    m_images.back()->CreateCopy(image);
}

void CSkinImageSet::AddScaledCopy(const CBitmapDC& image, float factor)
{
    m_images.push_back(std::make_unique<CBitmapDC>());
    ScaleImageToNew(&image, m_images.back().get(), factor);
}

void CSkinImageSet::AssignState(int state)
{
    if (state >= 0 && state < kStateCount && !m_images.empty())
        m_states[state] = m_images.back().get();
}

const CBitmapDC* CSkinImageSet::StateImage(int state) const
{
    return state >= 0 && state < kStateCount ? m_states[state] : nullptr;
}

const CBitmapDC* CSkinImageSet::ImageAt(int index) const
{
    return index >= 0 && index < GetImageCount() ? m_images[index].get() : nullptr;
}
