#include "signal/fft/FftLarge.h"
#include "signal/fft/FftPlan.h"
#include "signal/fft/FftRadix4.h"

namespace dsp::generic {

namespace {

constexpr int kBlockPoints = 1 << kFftRadix4MaxOrder;
constexpr int kCombineChunk = 256;

template <bool Inv>
struct Direction {
    static void Radix4(float* x, int n, const float* tw)
    {
        if (Inv)
            FftInvRadix4(x, n, tw);
        else
            FftFwdRadix4(x, n, tw);
    }
    static bool Scaled(const RealFftSpec* spec) { return Inv ? spec->inverseScaled : spec->forwardScaled; }
};

// Radix-4 leaf of n points, scaled here when the direction is scaled.
template <bool Inv>
void Leaf(const RealFftSpec* spec, float* x, int n)
{
    Direction<Inv>::Radix4(x, n, spec->radix4);
    if (Direction<Inv>::Scaled(spec))
        FftScale(spec->scale, x, 2 * n);
}

// 2048 or 4096 points: 1024-point blocks, the last first, then radix-2 joins.
template <bool Inv>
void Blocked(const RealFftSpec* spec, float* x, int n)
{
    for (int b = n - kBlockPoints; b >= 0; b -= kBlockPoints)
        Leaf<Inv>(spec, x + 2 * b, kBlockPoints);
    FftRadix2Combine(x, n, kBlockPoints, spec->quarter, Inv ? 0 : 1, kCombineChunk);
}

// Four columns j0..j0+3 of the rows x blocks matrix into four buffers, times the level's
// twiddles (conjugated for the inverse).
template <bool Inv>
void GatherColumns(const float* x, int cols, int rows, int j0, const float* matrix, float* buf)
{
    for (int b = 0; b < rows; ++b, matrix += 8) {
        const float* p = x + 2 * (b * cols + j0);
        for (int t = 0; t < 4; ++t) {
            const double vr = p[2 * t];
            const double vi = p[2 * t + 1];
            const double wr = matrix[2 * t];
            const double wi = Inv ? -double(matrix[2 * t + 1]) : double(matrix[2 * t + 1]);
            float* o = buf + 2 * (t * rows + b);
            o[0] = static_cast<float>(wr * vr - wi * vi);
            o[1] = static_cast<float>(wr * vi + wi * vr);
        }
    }
}

void ScatterColumns(float* x, int cols, int rows, int j0, const float* buf)
{
    for (int b = 0; b < rows; ++b) {
        float* p = x + 2 * (b * cols + j0);
        for (int t = 0; t < 4; ++t) {
            p[2 * t] = buf[2 * (t * rows + b)];
            p[2 * t + 1] = buf[2 * (t * rows + b) + 1];
        }
    }
}

// Row-column split 2^c = 2^m points per block * 2^r blocks; level 0 reads the first of the
// level tables, and a split block the next ones.
struct LevelTables {
    const float* const* matrix;
    const float* const* radix4;
    LevelTables Next() const { return {matrix + 1, radix4 + 1}; }
};

template <bool Inv>
void Recursive(const RealFftSpec* spec, float* x, int c, LevelTables level, float* work)
{
    const int r = FftSplitOrder(c);
    const int m = c - r;
    const int rows = 1 << r;
    const int cols = 1 << m;
    for (int b = 0; b < rows; ++b) {
        float* block = x + 2 * b * cols;
        if (m <= kFftRadix4MaxOrder)
            Leaf<Inv>(spec, block, cols);
        else if (!FftSplitOrder(m))
            Blocked<Inv>(spec, block, cols);
        else
            Recursive<Inv>(spec, block, m, level.Next(), work);
    }
    const float* matrix = *level.matrix;
    const float* columnTwiddles = *level.radix4;
    for (int j0 = 0; j0 < cols; j0 += 4, matrix += 8 * rows) {
        GatherColumns<Inv>(x, cols, rows, j0, matrix, work);
        for (int t = 0; t < 4; ++t)
            Direction<Inv>::Radix4(work + 2 * t * rows, rows, columnTwiddles);
        ScatterColumns(x, cols, rows, j0, work);
    }
}

template <bool Inv>
void Large(const RealFftSpec* spec, float* x, int c, float* work)
{
    if (FftSplitOrder(c))
        Recursive<Inv>(spec, x, c, {spec->levelMatrix, spec->levelRadix4}, work);
    else
        Blocked<Inv>(spec, x, 1 << c);
}

} // namespace

void FftFwdLarge(const RealFftSpec* spec, float* x, int c, float* work)
{
    Large<false>(spec, x, c, work);
}

void FftInvLarge(const RealFftSpec* spec, float* x, int c, float* work)
{
    Large<true>(spec, x, c, work);
}

// Stages h = sub .. total/2; in each, point j < h/2 joins j + h with W_(2h)^j and point
// j + h/2 joins j + 3h/2 with -i W_(2h)^j. Chunks of the j range keep one run of twiddles
// in cache for every group of the stage.
void FftRadix2Combine(float* x, int total, int sub, const float* quarter, int forward, int chunkPoints)
{
    const int chunk = chunkPoints / 2;
    for (int h = sub; h < total; h *= 2) {
        const int half = h / 2;
        const int step = total / (2 * h);
        for (int j0 = 0; j0 < half; j0 += chunk) {
            const int jEnd = j0 + chunk < half ? j0 + chunk : half;
            for (int g = 0; g < total; g += 2 * h) {
                float* p = x + 2 * g;
                for (int j = j0; j < jEnd; ++j) {
                    const double wr = quarter[2 * j * step];
                    const double wi = forward ? double(quarter[2 * j * step + 1]) : -double(quarter[2 * j * step + 1]);
                    float* a = p + 2 * j;
                    float* b = p + 2 * (j + h);
                    double vr = wr * b[0] - wi * b[1];
                    double vi = wr * b[1] + wi * b[0];
                    double ur = a[0];
                    double ui = a[1];
                    a[0] = static_cast<float>(ur + vr);
                    a[1] = static_cast<float>(ui + vi);
                    b[0] = static_cast<float>(ur - vr);
                    b[1] = static_cast<float>(ui - vi);
                    // Quarter turn: -i W forward, +i conj(W) inverse.
                    float* a2 = a + h;
                    float* b2 = b + h;
                    const double tr = wr * b2[0] - wi * b2[1];
                    const double ti = wr * b2[1] + wi * b2[0];
                    vr = forward ? ti : -ti;
                    vi = forward ? -tr : tr;
                    ur = a2[0];
                    ui = a2[1];
                    a2[0] = static_cast<float>(ur + vr);
                    a2[1] = static_cast<float>(ui + vi);
                    b2[0] = static_cast<float>(ur - vr);
                    b2[1] = static_cast<float>(ui - vi);
                }
            }
        }
    }
}

} // namespace dsp::generic
