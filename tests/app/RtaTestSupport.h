#pragma once
#include "analysis/CBandBank.h"
#include "app/views/CRtaPanel.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

// Waits for the panel's worker, which has no other way to say it is done;
// true when it made exactly this many results.
inline bool WaitForResults(const CRtaPanel& panel, int count)
{
    for (int i = 0; i < 60000 && panel.GetResultCount() < count; ++i) // a minute at the most
        Sleep(1);
    return panel.GetResultCount() == count;
}

// The bars of the 1/3-octave view as drawn into the device context; renderer 0 is the scale.
inline std::vector<int> ThirdOctaveBars(CRtaPanel& panel, HDC dc)
{
    panel.Draw(dc);
    std::vector<int> bars;
    for (int k = 1; k <= panel.GetConfig().thirdOctaveBands; ++k)
        bars.push_back(panel.GetView(0).GetSegmentRenderer(k)->GetDisplayedLevel(0));
    return bars;
}

// The label of the 1/3-octave band with the largest value, one value a band from the lowest.
template <class Value>
std::string LoudestThirdOctaveBand(const std::vector<Value>& bands)
{
    CBandBank bank;
    bank.Build(0, 48000.0 / 4096);
    return bank.GetBand(int(std::max_element(bands.begin(), bands.end()) - bands.begin())).label;
}
