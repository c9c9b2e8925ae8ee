#pragma once
// Public entry points of the signal-processing library. Every function of
// DspFunctionList.h is an entry stub that runs the body of the variant that
// CpuVariantIndex names (DspCpu.h selects it; DspRegistry.h is the mechanism).
// Every variant keeps the contract below; only speed and the last bit of
// rounding differ.
//
// All families: lengths are element counts; arguments are checked pointers
// first (StatusNullPointer), then sizes (StatusSizeError), then values, and a
// function that returns an error has written nothing. No function needs
// aligned arguments: any address of the element type works; library blocks
// run fastest.
//
// Memory (dspsMalloc_*, dspsFree): blocks are 32-byte aligned and not
// initialised; null for a length below 1 or when the heap refuses. Any block
// goes back through dspsFree only (null is ignored), never the C free.
//
// Fill, copy, move (dspsSet_*, dspsCopy_*, dspsMove_32f): Set stores the
// value's bits unchanged. Copy needs source and destination apart; Move
// allows any overlap.
//
// Arithmetic (dspsMul_32f, dspsMul_32f_I, dspsAdd_32f_I, dspsMulC_*_I):
// element by element in the element's precision; the destination may be
// either source (the _I forms work in place). MulC by 1.0 or NaN leaves the
// vector as it is, by 0.0 stores +0.0 everywhere.
//
// Conversions (dspsConvert_*): source and destination apart. Integer to float
// rounds to nearest; the _Sfs forms scale by 2^-sf (integer to float: sf
// limited to the exponent range). Float to integer (_Sfs): times 2^-sf, then
// rndMode 1 rounds half to even, any other truncates towards zero; results
// saturate at the integer type's range.
//
// Spectrum multiplies (dspsMulPerm_*, dspsMulPack_*, dspsMul_32fc*): complex
// products in the Perm or Pack layout of a real FFT (len floats) or of
// interleaved complex vectors (len values); the destination may be either
// source. No scaling.
//
// Windows (dspsWinHamming_32f, dspsWinBlackmanStd_32f_I): StatusSizeError
// below 3 points; Hamming's destination may be its source. An odd length's
// centre sample is passed unchanged (its weight is 1).
//
// FIR design (dspsFIRGen*_64f): frequencies relative to the sample rate, in
// (0, 0.5) and low < high, else StatusSizeError, as is len below 5. winType
// 0 Bartlett, 1 Blackman, 2 Hamming, 3 Hann, other none. doNormal scales the
// taps to unity gain at DC (low-pass, band-stop), at Nyquist (high-pass) or at
// the band's centre (band-pass). Work buffers that cannot be had give
// StatusNullPointer, not StatusNoMemory.
//
// Real FFT (dspsFFT*_R_32f and the transforms): N = 2^order real points,
// order 0 to 30 (StatusFftOrderError), flag one of FftFlag
// (StatusFftFlagError); StatusWrongSpec for a specification that
// dspsFFTInitAlloc_R_32f did not make. Spectra: CCS N + 2 floats, Perm and
// Pack N floats. Transforms run in place or apart; pBuffer holds
// dspsFFTGetBufSize_R_32f bytes at any alignment, or is null and the
// transform allocates per call (StatusNoMemory when it cannot).
// A specification is read-only after set-up and may be shared by threads
// that each pass their own buffer.
//
// Image resize (dspiResize_8u_C4R): four 8-bit channels per pixel, steps in
// bytes (StatusStepError below 1), interpolation 1 nearest, 2 linear,
// 4 cubic, 8 supersampling, 16 Lanczos (StatusInterpolationError otherwise),
// factors above 0 (StatusResizeFactorError). A region outside the image is the
// warning StatusNoIntersection with nothing written; source and destination
// apart. StatusResizeNotLinked when the image library is not in the program.
#include "signal/DspTypes.h"
#include "signal/DspFunctionList.h"

#define DSP_DECLARE_ENTRY(name, letter, result, params, args, g, s, s2, s3) result name params;

extern "C" {
DSP_FUNCTION_LIST(DSP_DECLARE_ENTRY)

// Not in the list, so neither registered nor dispatched: allocation has one
// body for every variant, and only the image resize asks for 16-bit blocks.
short* dspsMalloc_16s(int len);
}

#undef DSP_DECLARE_ENTRY
