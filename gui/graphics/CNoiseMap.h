#pragma once
#include "gui/graphics/CShadeMap.h"

// Smoothed random noise around 1536 (1442..1629), low-passed twice along the
// rows, that gives frames their grain. The program keeps one, ProgramNoiseMap,
// which the sheen regrows when a larger frame needs it. GUI thread only.
class CNoiseMap {
public:
    CNoiseMap();
    virtual ~CNoiseMap();

    // Seeds from the C library's rand(), once at the start and again every
    // 4096 values, so equal rand() sequences give equal noise. An empty map
    // (and a size of 0 x 0) when the heap cannot supply it.
    void Generate(int width, int height);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    const CShadeMap& GetMap() const { return m_map; }

private:
    CShadeMap m_map;
    int m_width;
    int m_height;
};

// The one noise map of the program, empty until first generated.
CNoiseMap& ProgramNoiseMap();
