#include "analysis/RtaFilterTables.h"

namespace {
// Eighth-order elliptic low-passes: gain, b1, a1, a2 per section (b0 = b2 = 1).
const double kDecimator[kRtaDecimators][kRtaDecimatorSections][4] = {{{0.07833804, 1.809473, -0.9797641, 0.2790509},
                                                                      {0.2121034, 0.9110917, -0.8482666, 0.4657191},
                                                                      {0.4342468, 0.2838401, -0.7075532, 0.6993034},
                                                                      {0.618384, 0.02872359, -0.6483569, 0.9028871}},
                                                                     {{0.02949953, 1.041904, -1.456435, 0.5464279},
                                                                      {0.1515333, -0.787262, -1.488304, 0.6720743},
                                                                      {0.3961127, -1.269664, -1.533783, 0.8230782},
                                                                      {0.5931267, -1.401021, -1.590197, 0.9454673}},
                                                                     {{0.01511494, -0.3275247, -1.716612, 0.7419639},
                                                                      {0.1401494, -1.639424, -1.768029, 0.8185633},
                                                                      {0.3959609, -1.805019, -1.828332, 0.9055364},
                                                                      {0.5918665, -1.843975, -1.879419, 0.9717652}},
                                                                     {{0.01132042, -1.403226, -1.854986, 0.8617617},
                                                                      {0.1403122, -1.905432, -1.891315, 0.904584},
                                                                      {0.400869, -1.950433, -1.931507, 0.9513767},
                                                                      {0.5937523, -1.960592, -1.962309, 0.9857078}}};

// Last band (inclusive) of each stream, from decimation 256 down to 16.
const int kSixthLastBand[5] = {9, 15, 21, 27, 31};
const int kThirdLastBand[5] = {4, 7, 10, 13, 15};

void SetRow(double* row, double first, double x, double y, double z)
{
    row[0] = first;
    row[1] = row[2] = 0.0;
    row[3] = x;
    row[4] = y;
    row[5] = z;
}
} // namespace

int RtaBandFilterCount(int resolution)
{
    return resolution == 1 ? 32 : (resolution == 0 ? 16 : 0);
}

int RtaBandDecimation(int resolution, int band)
{
    if (band < 0 || band >= RtaBandFilterCount(resolution))
        return 0;
    const int* last = resolution == 1 ? kSixthLastBand : kThirdLastBand;
    int decimation = 256;
    for (int s = 0; band > last[s]; ++s)
        decimation /= 2;
    return decimation;
}

bool RtaBandPassRows(int sampleRate, int resolution, int band, double den[][6], double num[][6])
{
    const int rate = sampleRate == 48000 ? 0 : (sampleRate == 44100 ? 1 : -1);
    if (rate < 0 || !den || !num || RtaBandDecimation(resolution, band) == 0)
        return false;
    const RtaBandPassSection* sections = kRtaBandPass[rate][resolution == 1 ? band : 32 + band];
    for (int k = 0; k < kRtaBandPassSections; ++k) {
        SetRow(den[k], 1.0, 1.0, sections[k].a1, sections[k].a2);
        SetRow(num[k], sections[k].gain, 1.0, 0.0, -1.0);
    }
    return true;
}

bool RtaDecimatorRows(int decimator, double den[][6], double num[][6])
{
    if (decimator < 0 || decimator >= kRtaDecimators || !den || !num)
        return false;
    for (int k = 0; k < kRtaDecimatorSections; ++k) {
        const double* s = kDecimator[decimator][k];
        SetRow(den[k], 1.0, 1.0, s[2], s[3]);
        SetRow(num[k], s[0], 1.0, s[1], 1.0);
    }
    return true;
}
