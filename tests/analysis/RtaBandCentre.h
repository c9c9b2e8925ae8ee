#pragma once
#include "analysis/CBandBank.h"

// The centre the band bank gives a band.
inline double RtaBandCentre(int resolution, int band)
{
    CBandBank bank;
    bank.Build(resolution, 0.0);
    return bank.GetBand(band).centre;
}
