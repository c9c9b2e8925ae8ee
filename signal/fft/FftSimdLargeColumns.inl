// Large-order step of the SSE2 and SSE3 engines, included after the other kernels inside the
// variant's namespace. Needs kSplit, kBlockOrder and kRadix4Max.
//
// After the row transforms the remaining r bits of 2^c = 2^r rows * 2^m points are further
// decimation-in-time stages over whole columns; their twiddles depend only on the position in
// the stage, so blocks of adjacent columns are gathered into the work buffer and every stage
// runs there on contiguous memory, reading the level matrix sequentially.

// Last stage of an odd column order: x[p] +- x[p + span] times W_p.
template <bool Inv>
void ColumnRadix2(float* x, int span, const float* twiddles)
{
    for (int p = 0; p < span; p += 4) {
        const Vc u = LoadRun(x + 2 * p);
        const Vc v = Mul<Inv>(LoadRun(x + 2 * (p + span)), Twiddle(twiddles + 2 * p));
        StoreRun(x + 2 * p, u + v);
        StoreRun(x + 2 * (p + span), u - v);
    }
}

void GatherColumns(const float* x, float* work, int rowStride, int rows, int cols)
{
    for (int r = 0; r < rows; ++r) {
        const float* src = x + 2 * r * rowStride;
        float* dst = work + 2 * r * cols;
        for (int p = 0; p < 2 * cols; p += 8)
            StoreRun(dst + p, LoadRun(src + p));
    }
}

void ScatterColumns(float* x, const float* work, int rowStride, int rows, int cols, bool last)
{
    for (int r = 0; r < rows; ++r) {
        float* dst = x + 2 * r * rowStride;
        const float* src = work + 2 * r * cols;
        for (int p = 0; p < 2 * cols; p += 8)
            StoreRun(dst + p, LoadRun(src + p), last);
    }
}

template <bool Inv>
void Recursive(const RealFftSpec* spec, float* x, int c, float* const* matrixSlot, float* work)
{
    const int r = kSplit[c];
    const int m = c - r;
    const int rows = 1 << r;
    const int points = 1 << m;
    const int cols = 1 << (kBlockOrder[c] - r);
    for (int b = 0; b < rows; ++b) {
        float* row = x + 2 * b * points;
        if (m > kRadix4Max)
            Recursive<Inv>(spec, row, m, matrixSlot + 1, work);
        else
            Leaf<Inv>(spec, row, points, work);
    }
    const bool top = matrixSlot == spec->levelMatrix;
    const float* matrix = *matrixSlot;
    for (int j0 = 0; j0 < points; j0 += cols) {
        GatherColumns(x + 2 * j0, work, points, rows, cols);
        int span = cols;
        for (int s = 0; s < r / 2; ++s, span *= 4) {
            Radix4Stage<Inv, false>(work, rows * cols, 4 * span, matrix, work);
            matrix += 6 * span;
        }
        if (r & 1) {
            ColumnRadix2<Inv>(work, span, matrix);
            matrix += 2 * span;
        }
        ScatterColumns(x + 2 * j0, work, points, rows, cols, top);
    }
}

template <bool Inv>
void Large(const RealFftSpec* spec, float* x, int c, float* work)
{
    Recursive<Inv>(spec, x, c, spec->levelMatrix, work);
}
