#pragma once
// Maps destination columns (or rows) to source positions along one axis: the destination
// extent, then per destination index the integer source index (relative to the region) and
// the fraction, with each method's edge rule applied.
#include <cstdint>

struct ResizeAxis {
    int regionStart; // region x (or y) in the image
    int regionSize;  // clipped region width (or height)
    int imageSize;   // whole image width (or height)
    double factor;
    double shift;
};

class ResizeAxisWalker {
public:
    ResizeAxisWalker(const ResizeAxis& axis, int interpolation, int factorMode);

    // The requested destination extent, cut to what the scaled region covers (at least 1).
    int Extent(int requested) const;

    // Position of the next destination index: source index and fraction.
    void Next(int32_t* index, double* fraction);

private:
    void ApplyEdgeRule(int32_t* index, double position, double* fraction) const;

    ResizeAxis m_axis;
    int m_interpolation;
    int m_factorMode;
    double m_step;
    double m_position;
};
