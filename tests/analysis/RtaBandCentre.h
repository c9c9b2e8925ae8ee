#pragma once
#include "BandPassDesign.h"
#include "analysis/CBandBank.h"
#include "analysis/RtaFilterTables.h"

// The centre the band bank gives a band.
inline double RtaBandCentre(int resolution, int band)
{
    CBandBank bank;
    bank.Build(resolution, 0.0);
    return bank.GetBand(band).centre;
}

// Row `filter` of the committed table: the 1/6-octave bands first, then the
// 1/3-octave ones.
struct RtaTableRow {
    int resolution, band, fraction;
};

inline RtaTableRow DesignRtaTableRow(int rate, int filter, BandPassSection s[8])
{
    const RtaTableRow row = {filter < 32 ? 1 : 0, filter < 32 ? filter : filter - 32, filter < 32 ? 6 : 3};
    DesignBandPass(RtaBandCentre(row.resolution, row.band), row.fraction,
                   static_cast<double>(rate) / RtaBandDecimation(row.resolution, row.band), s);
    return row;
}
