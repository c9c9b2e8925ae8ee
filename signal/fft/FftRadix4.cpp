#include "signal/fft/FftRadix4.h"

// Intermediates are doubles (x87 keeps them in registers); each result rounds once on store.
namespace dsp::generic {

namespace {

struct Cx {
    double re;
    double im;
};

inline Cx Load(const float* p)
{
    return {p[0], p[1]};
}

inline void Store(float* p, Cx v)
{
    p[0] = static_cast<float>(v.re);
    p[1] = static_cast<float>(v.im);
}

inline Cx Add(Cx a, Cx b)
{
    return {a.re + b.re, a.im + b.im};
}
inline Cx Sub(Cx a, Cx b)
{
    return {a.re - b.re, a.im - b.im};
}

// w * v forward, conj(w) * v inverse.
template <bool Inv>
inline Cx Twiddle(const float* w, Cx v)
{
    const double wr = w[0];
    const double wi = Inv ? -double(w[1]) : double(w[1]);
    return {wr * v.re - wi * v.im, wr * v.im + wi * v.re};
}

// -i * v forward, +i * v inverse.
template <bool Inv>
inline Cx Rotate(Cx v)
{
    return Inv ? Cx{-v.im, v.re} : Cx{v.im, -v.re};
}

template <bool Inv>
void FirstStage(float* x, int n)
{
    for (int g = 0; g < n; g += 4) {
        float* p = x + 2 * g;
        const Cx s = Add(Load(p), Load(p + 2));
        const Cx d = Sub(Load(p), Load(p + 2));
        const Cx s2 = Add(Load(p + 4), Load(p + 6));
        const Cx d2 = Rotate<Inv>(Sub(Load(p + 4), Load(p + 6)));
        Store(p, Add(s, s2));
        Store(p + 4, Sub(s, s2));
        Store(p + 2, Add(d, d2));
        Store(p + 6, Sub(d, d2));
    }
}

// Radix-2 stage of eight points; W_8^1 and W_8^3 come from table entry n/8.
template <bool Inv>
void EighthStage(float* x, int n, const float* twiddles)
{
    const float* w8 = twiddles + 6 * (n / 8);
    const float w3[2] = {-w8[0], w8[1]};
    for (int g = 0; g < n; g += 8) {
        float* p = x + 2 * g;
        const Cx t[4] = {
            Load(p + 8),
            Twiddle<Inv>(w8, Load(p + 10)),
            Rotate<Inv>(Load(p + 12)),
            Twiddle<Inv>(w3, Load(p + 14)),
        };
        for (int j = 0; j < 4; ++j) {
            const Cx u = Load(p + 2 * j);
            Store(p + 2 * j, Add(u, t[j]));
            Store(p + 2 * j + 8, Sub(u, t[j]));
        }
    }
}

template <bool Inv>
void Radix4Stage(float* x, int n, int size, const float* twiddles)
{
    const int q = size / 4;
    const int step = n / size;
    for (int j = 0; j < q; ++j) {
        const float* w = twiddles + 6 * (j * step);
        for (int g = 0; g < n; g += size) {
            float* p = x + 2 * (g + j);
            const Cx a = Load(p);
            const Cx b = Twiddle<Inv>(w + 2, Load(p + 2 * q));
            const Cx A = Twiddle<Inv>(w, Load(p + 4 * q));
            const Cx B = Twiddle<Inv>(w + 4, Load(p + 6 * q));
            const Cx s = Add(a, b);
            const Cx d = Sub(a, b);
            const Cx s2 = Add(A, B);
            const Cx d2 = Rotate<Inv>(Sub(A, B));
            Store(p, Add(s, s2));
            Store(p + 4 * q, Sub(s, s2));
            Store(p + 2 * q, Add(d, d2));
            Store(p + 6 * q, Sub(d, d2));
        }
    }
}

template <bool Inv>
void Radix4(float* x, int n, const float* twiddles)
{
    FirstStage<Inv>(x, n);
    int size = 16;
    if ((n & 0x55555555) == 0) { // odd order
        EighthStage<Inv>(x, n, twiddles);
        size = 32;
    }
    for (; size <= n; size *= 4)
        Radix4Stage<Inv>(x, n, size, twiddles);
}

} // namespace

void FftFwdRadix4(float* x, int n, const float* twiddles)
{
    Radix4<false>(x, n, twiddles);
}

void FftInvRadix4(float* x, int n, const float* twiddles)
{
    Radix4<true>(x, n, twiddles);
}

void FftScale(float scale, float* x, int count)
{
    for (int i = 0; i < count; ++i)
        x[i] *= scale;
}

} // namespace dsp::generic
