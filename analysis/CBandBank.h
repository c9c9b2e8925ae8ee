#pragma once
#include "common/CMemBlock.h"

// One fractional-octave band: edges and centre in Hz, its preferred-number
// frequency, its edges as fractional FFT bin positions and its axis label.
struct BandRecord {
    double lowerEdge;
    double centre;
    double nominal;
    double upperEdge;
    double lowerBin;
    double upperBin;
    double binSpan;
    char label[8];
};

// The RTA's bands: 31 at 1/3 octave or 63 at 1/6 octave, centred on
// base-ten octave fractions from 19.953 Hz.
class CBandBank {
public:
    CBandBank();
    virtual ~CBandBank();

    // resolution 0: 1/3 octave, 1: 1/6 octave; anything else leaves no bands.
    // A bin width of 0 leaves every bin position at 0.
    void Build(int resolution, double binWidthHz);
    // The all-zero record for an index out of range.
    const BandRecord& GetBand(int i) const;
    int GetBandCount() const { return m_count; }

    static double BinWidth(int fftSize, int sampleRate);
    // The ISO 266 preferred frequency nearest hz in the series for 1/n octave.
    static double NominalFrequency(double hz, int n);
    // The label of a nominal frequency ("31.5" -> "32", 1250 -> "1.3k"),
    // exact halves rounded away from zero; out needs 8 characters.
    static void FormatLabel(double nominal, char* out);

private:
    void PlaceBins(double binWidth);

    int m_count;
    CMemBlock m_records;
    BandRecord m_default;
};
