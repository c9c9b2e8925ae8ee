// Windowed-sinc FIR designs, included inside each variant's namespace (after
// DspBodies.h, DspCheck.h, DspFirWindows.h, DspMemory.h and <cmath>): every
// variant runs these same steps and calls the tone generator, zero fill and
// windows of its own namespace; the inline helpers belong to that namespace
// too, so copies built with different flags are never merged.

// A start phase outside [0, 2 pi) by rounding (a frequency within one unit of
// the last place below 0.25 or 0.5) would make the tone generator refuse it
// and leave the work buffer unwritten: it is wrapped instead.
inline double TonePhase(double phase)
{
    if (phase >= FirTwoPi)
        return phase - FirTwoPi;
    return phase < 0.0 ? phase + FirTwoPi : phase;
}

inline bool ValidFrequency(double f)
{
    return f > 0.0 && f < 0.5;
}

inline LibStatus CheckDesign(const double* taps, int len)
{
    if (!taps)
        return StatusNullPointer;
    return len < 5 ? StatusSizeError : StatusOk;
}

inline LibStatus CheckSingle(const double* taps, int len, double f)
{
    LibStatus st = CheckDesign(taps, len);
    if (st != StatusOk)
        return st;
    return ValidFrequency(f) ? StatusOk : StatusSizeError;
}

inline LibStatus CheckBand(const double* taps, int len, double low, double high)
{
    LibStatus st = CheckDesign(taps, len);
    if (st != StatusOk)
        return st;
    if (!ValidFrequency(low) || !ValidFrequency(high) || !(low < high))
        return StatusSizeError;
    return StatusOk;
}

// Phase whose tone gives sin(2 pi f t_k) at sample k-1 (t_k = k or k - 1/2).
inline double SinePhase(double f, bool odd)
{
    if (odd)
        return TonePhase(f < 0.25 ? FirTwoPi * (f + 0.75) : FirTwoPi * (f - 0.25));
    return TonePhase(FirPi * (f + 1.5));
}

// Phase whose tone gives -sin(2 pi f t_k) at sample k-1.
inline double MinusSinePhase(double f, bool odd)
{
    return TonePhase(odd ? FirTwoPi * (f + 0.25) : FirPi * (f + 0.5));
}

inline void Tone(double* buffer, int count, double f, double phase)
{
    ToneCos_64f(buffer, count, 1.0, f, &phase, 2);
}

// taps[M-k] = numerator(k) / (pi t_k), five at a time while seven or more remain.
template <class Numerator>
void LeftHalf(double* taps, int m, bool odd, Numerator numerator)
{
    const double twoPi = 2.0 * FirPi, threePi = 3.0 * FirPi, fourPi = 4.0 * FirPi, fivePi = 5.0 * FirPi;
    double d = odd ? FirPi : FirPi * 0.5;
    int k = 1;
    for (; m - k + 1 >= 7; k += 5, d = d + fivePi) {
        taps[m - k] = numerator(k) / d;
        taps[m - k - 1] = numerator(k + 1) / (d + FirPi);
        taps[m - k - 2] = numerator(k + 2) / (d + twoPi);
        taps[m - k - 3] = numerator(k + 3) / (d + threePi);
        taps[m - k - 4] = numerator(k + 4) / (d + fourPi);
    }
    for (; k <= m; ++k, d = d + FirPi)
        taps[m - k] = numerator(k) / d;
}

inline void ApplyWindow(double* taps, int len, int winType)
{
    switch (winType) {
    case 0: WinBartlett_64f_I(taps, len); break;
    case 1: WinBlackmanFir_64f_I(taps, len); break;
    case 2: WinHamming_64f_I(taps, len); break;
    case 3: WinHann_64f_I(taps, len); break;
    default: break;
    }
}

// Scales the left half (and an odd centre) by 1/|gain|, or by 1, and mirrors it.
inline void NormaliseAndMirror(double* taps, int len, bool normalise, double gain, bool antisymmetric)
{
    int m = len >> 1;
    double g = normalise ? 1.0 / std::fabs(gain) : 1.0;
    if (normalise && len % 2)
        taps[m] *= g;
    for (int i = 0; i < m; ++i) {
        if (normalise)
            taps[i] = taps[i] * g;
        taps[len - 1 - i] = antisymmetric ? -taps[i] : taps[i];
    }
}

inline double SumLeft(const double* taps, int m)
{
    double s = 0.0;
    for (int i = 0; i < m; ++i)
        s = s + taps[i];
    return s;
}

inline double GainAtDc(const double* taps, int len)
{
    int m = len >> 1;
    double s = SumLeft(taps, m);
    return len % 2 ? (taps[m] + s) + s : s + s;
}

inline double GainAtNyquist(const double* taps, int len)
{
    int m = len >> 1;
    double s = 0.0;
    for (int i = 0; i < m; ++i)
        s = s + (i % 2 ? taps[i] : -taps[i]);
    if (len % 2 == 0)
        return s + s;
    return (s + s) + (m % 2 ? taps[m] : -taps[m]);
}

inline double GainAtCentre(const double* taps, int len, double fc)
{
    int m = len >> 1;
    double a = len % 2 ? FirTwoPi * fc : FirPi * fc;
    double s = 0.0;
    for (int j = 0; j < m; ++j)
        s = s + taps[m - 1 - j] * std::cos(FirTwoPi * fc * j + a);
    return len % 2 ? (taps[m] + s) + s : s + s;
}

enum FirBand { FirLowpass, FirHighpass, FirBandpass, FirBandstop };

// The ideal response's left half (and odd centre), from one or two tones in the work buffers.
inline void IdealLeftHalf(FirBand band, double low, double high, double* taps, int len, double* first, double* second)
{
    const int m = len >> 1;
    const bool odd = len % 2 != 0;
    if (band == FirLowpass) {
        if (odd)
            taps[m] = 2.0 * low;
        Tone(first, m + 1, low, SinePhase(low, odd));
        LeftHalf(taps, m, odd, [&](int k) { return first[k - 1]; });
    } else if (band == FirHighpass) {
        if (odd)
            taps[m] = 1.0 - 2.0 * low;
        Tone(first, m + 1, low, odd ? MinusSinePhase(low, true) : TonePhase(FirPi * low));
        LeftHalf(taps, m, odd, [&](int k) { return first[k - 1]; });
    } else if (band == FirBandpass) {
        if (odd)
            taps[m] = 2.0 * (high - low);
        Tone(first, m + 1, low, MinusSinePhase(low, odd));
        Tone(second, m + 1, high, SinePhase(high, odd));
        LeftHalf(taps, m, odd, [&](int k) { return first[k - 1] + second[k - 1]; });
    } else if (odd) {
        taps[m] = 1.0 - 2.0 * (high - low);
        Tone(first, m + 1, low, SinePhase(low, true));
        Tone(second, m + 1, high, MinusSinePhase(high, true));
        LeftHalf(taps, m, odd, [&](int k) { return first[k - 1] + second[k - 1]; });
    } else {
        Tone(first, m + 1, low, MinusSinePhase(low, false));
        Tone(second, m + 1, high, SinePhase(high, false));
        LeftHalf(taps, m, odd, [&](int k) { return (k % 2 ? 1.0 : -1.0) - (first[k - 1] + second[k - 1]); });
    }
}

// Steps common to every design once the arguments are valid.
inline LibStatus Design(FirBand band, double low, double high, double* taps, int len, int winType, int doNormal)
{
    const int m = len >> 1;
    const bool twoTones = band == FirBandpass || band == FirBandstop;
    double* first = static_cast<double*>(dspsAlignedMalloc(m + 1, 8));
    double* second = twoTones ? static_cast<double*>(dspsAlignedMalloc(m + 1, 8)) : nullptr;
    if (!first || (twoTones && !second)) {
        generic::dspsFree(first);
        generic::dspsFree(second);
        return StatusNullPointer;
    }
    IdealLeftHalf(band, low, high, taps, len, first, second);
    dspsZero_64f(taps + (len + 1) / 2, m);
    ApplyWindow(taps, len, winType);
    double gain = 1.0;
    if (doNormal) {
        gain = band == FirHighpass   ? GainAtNyquist(taps, len)
               : band == FirBandpass ? GainAtCentre(taps, len, (low + high) * 0.5)
                                     : GainAtDc(taps, len);
    }
    NormaliseAndMirror(taps, len, doNormal != 0, gain, band == FirHighpass && len % 2 == 0);
    generic::dspsFree(first);
    generic::dspsFree(second);
    return StatusOk;
}

LibStatus dspsFIRGenLowpass_64f(double rFreq, double* taps, int len, int winType, int doNormal)
{
    LibStatus st = CheckSingle(taps, len, rFreq);
    return st != StatusOk ? st : Design(FirLowpass, rFreq, 0.0, taps, len, winType, doNormal);
}

LibStatus dspsFIRGenHighpass_64f(double rFreq, double* taps, int len, int winType, int doNormal)
{
    LibStatus st = CheckSingle(taps, len, rFreq);
    return st != StatusOk ? st : Design(FirHighpass, rFreq, 0.0, taps, len, winType, doNormal);
}

LibStatus dspsFIRGenBandpass_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal)
{
    LibStatus st = CheckBand(taps, len, rLow, rHigh);
    return st != StatusOk ? st : Design(FirBandpass, rLow, rHigh, taps, len, winType, doNormal);
}

LibStatus dspsFIRGenBandstop_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal)
{
    LibStatus st = CheckBand(taps, len, rLow, rHigh);
    return st != StatusOk ? st : Design(FirBandstop, rLow, rHigh, taps, len, winType, doNormal);
}
