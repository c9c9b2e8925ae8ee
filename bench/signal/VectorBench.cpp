// Elements per nanosecond of the vector, conversion, spectrum, window and
// FIR design functions, per variant and length.
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "signal/DspBodies.h"

namespace {

const char* const Names[] = {"generic", "sse", "sse2", "sse3"};

struct Buffers {
    explicit Buffers(int n) : a(n + 2, 0.5f), b(n + 2, 1.5f), d(n + 2), i32(n, 1000), i16(n, 100), f64(n, 0.25) {}
    std::vector<float> a, b, d;
    std::vector<int> i32;
    std::vector<short> i16;
    std::vector<double> f64;
};

typedef std::function<void(int variant, Buffers& x, int n)> Case;

#define BODY(v, name)                                                                                                  \
    (v == 0 ? &dsp::generic::name : v == 1 ? &dsp::sse::name : v == 2 ? &dsp::sse2::name : &dsp::sse3::name)
#define BODY_SSE2_SHARED(v, name) (v == 0 ? &dsp::generic::name : v == 1 ? &dsp::sse::name : &dsp::sse2::name)

Dsp32fc* Complex(std::vector<float>& v)
{
    return reinterpret_cast<Dsp32fc*>(v.data());
}

// The function's name as a key: lower case.
std::string Key(const char* name)
{
    std::string key = name;
    for (char& ch : key)
        ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return key;
}

struct Named {
    const char* name;
    Case run;
};

const Named Cases[] = {
    {"Mul_32f",
     [](int v, Buffers& x, int n) {
         BODY_SSE2_SHARED(v, dspsMul_32f)
         (x.a.data(), x.b.data(), x.d.data(), n);
     }},
    {"Mul_32f_I",
     [](int v, Buffers& x, int n) {
         BODY_SSE2_SHARED(v, dspsMul_32f_I)
         (x.b.data(), x.d.data(), n);
     }},
    {"Add_32f_I",
     [](int v, Buffers& x, int n) {
         BODY_SSE2_SHARED(v, dspsAdd_32f_I)
         (x.b.data(), x.d.data(), n);
     }},
    {"MulC_32f_I",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMulC_32f_I)
         (1.0001f, x.d.data(), n);
     }},
    {"MulC_64f_I",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMulC_64f_I)
         (1.0001, x.f64.data(), n);
     }},
    {"Convert_16s32f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_16s32f)
         (x.i16.data(), x.d.data(), n);
     }},
    {"Convert_32s32f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_32s32f)
         (x.i32.data(), x.d.data(), n);
     }},
    {"Convert_16s32f_Sfs",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_16s32f_Sfs)
         (x.i16.data(), x.d.data(), n, 15);
     }},
    {"Convert_32s32f_Sfs",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_32s32f_Sfs)
         (x.i32.data(), x.d.data(), n, 15);
     }},
    {"Convert_32f32s_Sfs",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_32f32s_Sfs)
         (x.a.data(), x.i32.data(), n, 1, -8);
     }},
    {"Convert_32f16s_Sfs",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsConvert_32f16s_Sfs)
         (x.a.data(), x.i16.data(), n, 1, -8);
     }},
    {"MulPerm_32f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMulPerm_32f)
         (x.a.data(), x.b.data(), x.d.data(), n);
     }},
    {"MulPerm_32f_I",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMulPerm_32f_I)
         (x.a.data(), x.d.data(), n);
     }},
    {"MulPack_32f",
     [](int v, Buffers& x, int n) {
         BODY_SSE2_SHARED(v, dspsMulPack_32f)
         (x.a.data(), x.b.data(), x.d.data(), n);
     }},
    {"MulPack_32f_I",
     [](int v, Buffers& x, int n) {
         BODY_SSE2_SHARED(v, dspsMulPack_32f_I)
         (x.a.data(), x.d.data(), n);
     }},
    {"Mul_32fc",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMul_32fc)
         (Complex(x.a), Complex(x.b), Complex(x.d), n / 2);
     }},
    {"Mul_32fc_I",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsMul_32fc_I)
         (Complex(x.a), Complex(x.d), n / 2);
     }},
    {"WinHamming_32f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsWinHamming_32f)
         (x.a.data(), x.d.data(), n);
     }},
    {"WinBlackmanStd_32f_I",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsWinBlackmanStd_32f_I)
         (x.d.data(), n);
     }},
    {"FIRGenLowpass_64f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsFIRGenLowpass_64f)
         (0.1, x.f64.data(), n, 1, 1);
     }},
    {"FIRGenHighpass_64f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsFIRGenHighpass_64f)
         (0.1, x.f64.data(), n, 1, 1);
     }},
    {"FIRGenBandpass_64f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsFIRGenBandpass_64f)
         (0.1, 0.2, x.f64.data(), n, 1, 1);
     }},
    {"FIRGenBandstop_64f",
     [](int v, Buffers& x, int n) {
         BODY(v, dspsFIRGenBandstop_64f)
         (0.1, 0.2, x.f64.data(), n, 1, 1);
     }},
};

} // namespace

// Every figure counts elements (complex values as two floats, taps for the designs).
void RunVectorBench()
{
    for (int n : {64, 1024, 16384}) {
        Buffers x(n);
        for (const Named& c : Cases)
            for (int v = 0; v < 4; ++v) {
                double calls = CallsPerSecond([&] { c.run(v, x, n); }, 0.02);
                std::printf("signal.%s.%s.%d.elements_per_ns: %.3f\n", Key(c.name).c_str(), Names[v], n,
                            calls * n * 1e-9);
            }
    }
}
