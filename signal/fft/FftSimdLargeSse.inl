// Large-order step of the SSE engine (complex order c >= 11), included after the other kernels
// inside dsp::sse. Needs kSplit, kLeafOrder and kLeafPoints.

// Joins two transformed halves of n split points into their transform: point j + n/2 times
// W_n^j, and for j + n/4 times -i W_n^j (conjugated for the inverse).
template <bool Inv>
void HalvesCombine(float* x, int n, const float* quarter, bool last)
{
    float* hi = x + n;
    for (int j = 0; j < n / 4; j += 4, quarter += 8) {
        const Vc w = Twiddle(quarter);
        for (int part = 0; part < 2; ++part) {
            const int p = 2 * j + part * n / 2;
            const Vc u = LoadRun(x + p);
            Vc v = Mul<Inv>(LoadRun(hi + p), w);
            if (part)
                v = Rotate<Inv>(v);
            StoreRun(x + p, u + v, last);
            StoreRun(hi + p, u - v, last);
        }
    }
}

// 2048 points and up without split: 1024-point leaves, halves joined depth first; each
// section of the quarter table serves one size.
template <bool Inv>
void Halving(const RealFftSpec* spec, float* x, int n, const float* quarter, float* work, bool last)
{
    if (n / 2 == kLeafPoints) {
        Leaf<Inv>(spec, x, kLeafPoints, work);
        Leaf<Inv>(spec, x + n, kLeafPoints, work);
    } else {
        Halving<Inv>(spec, x, n / 2, quarter + n / 2, work, false);
        Halving<Inv>(spec, x + n, n / 2, quarter + n / 2, work, false);
    }
    HalvesCombine<Inv>(x, n, quarter, last);
}

// Four adjacent columns j0..j0+3 of the rows (split runs) times their matrix values into four
// interleaved buffers of one point per row.
template <bool Inv>
void GatherFourColumns(const float* x, float* work, const float* matrix, int cols, int rows)
{
    for (int r = 0; r < rows; r += 4) {
        Vc v[4];
        for (int i = 0; i < 4; ++i)
            v[i] = Mul<Inv>(LoadRun(x + 2 * (r + i) * cols), Twiddle(matrix + 8 * (r + i)));
        Transpose(v[0], v[1], v[2], v[3]);
        for (int t = 0; t < 4; ++t)
            StoreInterleaved(work + 2 * (t * rows + r), v[t]);
    }
}

// The four split buffers back into the columns, interleaved at the top level.
void ScatterFourColumns(float* x, const float* work, int cols, int rows, bool last)
{
    for (int r = 0; r < rows; r += 4) {
        Vc v[4];
        for (int t = 0; t < 4; ++t)
            v[t] = LoadRun(work + 2 * (t * rows + r));
        Transpose(v[0], v[1], v[2], v[3]);
        for (int i = 0; i < 4; ++i)
            StoreRun(x + 2 * (r + i) * cols, v[i], last);
    }
}

// Row-column split 2^c = 2^r rows of 2^m points; the level tables come from the slots given,
// a split row from the next ones.
template <bool Inv>
void Recursive(const RealFftSpec* spec, float* x, int c, float* const* radix4Slot, float* const* matrixSlot,
               float* work)
{
    const int r = kSplit[c];
    const int m = c - r;
    const int rows = 1 << r;
    const int cols = 1 << m;
    for (int b = 0; b < rows; ++b) {
        float* row = x + 2 * b * cols;
        if (m <= kLeafOrder)
            Leaf<Inv>(spec, row, cols, work);
        else if (!kSplit[m])
            Halving<Inv>(spec, row, cols, spec->quarter, work, false);
        else
            Recursive<Inv>(spec, row, m, radix4Slot + 1, matrixSlot + 1, work);
    }
    const bool top = radix4Slot == spec->levelRadix4;
    const float* matrix = *matrixSlot;
    for (int j0 = 0; j0 < cols; j0 += 4, matrix += 8 * rows) {
        GatherFourColumns<Inv>(x + 2 * j0, work, matrix, cols, rows);
        for (int t = 0; t < 4; ++t)
            Radix4<Inv>(work + 2 * t * rows, rows, *radix4Slot, nullptr, false);
        ScatterFourColumns(x + 2 * j0, work, cols, rows, top);
    }
}

template <bool Inv>
void Large(const RealFftSpec* spec, float* x, int c, float* work)
{
    if (kSplit[c])
        Recursive<Inv>(spec, x, c, spec->levelRadix4, spec->levelMatrix, work);
    else
        Halving<Inv>(spec, x, 1 << c, spec->quarter, work, true);
}
