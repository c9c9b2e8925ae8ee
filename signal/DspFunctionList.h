#pragma once
// The registered library functions, once each, in registration order.
//
// X(name, letter, result, (parameters), (arguments), generic, sse, sse2, sse3)
// The last four columns name the namespace (dsp::<ns>) whose body fills the
// VariantTable slot of that variant; a namespace named twice is a shared body.
// Everything that comes per function (public declaration, body declarations,
// stub, table, descriptor) is generated from this list; see DspRegistry.cpp.

#define DSP_FUNCTION_LIST(X)                                                                                           \
    X(dspsSet_32s, "s", LibStatus, (int val, int* pDst, int len), (val, pDst, len), generic, sse, sse2, sse3)          \
    X(dspsMalloc_32s, "s", int*, (int len), (len), generic, generic, generic, sse3)                                    \
    X(dspsCopy_32f, "s", LibStatus, (const float* pSrc, float* pDst, int len), (pSrc, pDst, len), generic, sse, sse2,  \
      sse3)                                                                                                            \
    X(dspsCopy_16s, "s", LibStatus, (const short* pSrc, short* pDst, int len), (pSrc, pDst, len), generic, sse, sse2,  \
      sse3)                                                                                                            \
    X(dspsFree, "s", void, (void* ptr), (ptr), generic, generic, generic, generic)                                     \
    X(dspsSet_32f, "s", LibStatus, (float val, float* pDst, int len), (val, pDst, len), generic, sse, sse2, sse3)      \
    X(dspsMalloc_32f, "s", float*, (int len), (len), generic, generic, generic, sse3)                                  \
    X(dspsWinHamming_32f, "s", LibStatus, (const float* pSrc, float* pDst, int len), (pSrc, pDst, len), generic, sse,  \
      sse2, sse3)                                                                                                      \
    X(dspsSet_8u, "s", LibStatus, (unsigned char val, unsigned char* pDst, int len), (val, pDst, len), generic, sse,   \
      sse2, sse3)                                                                                                      \
    X(dspsMalloc_8u, "s", unsigned char*, (int len), (len), generic, generic, generic, generic)                        \
    X(dspsFFTGetBufSize_R_32f, "s", LibStatus, (const RealFftSpec* pSpec, int* pSize), (pSpec, pSize), generic,        \
      generic, sse2, sse2)                                                                                             \
    X(dspsFFTInitAlloc_R_32f, "s", LibStatus, (RealFftSpec * *ppSpec, int order, int flag, int hint),                  \
      (ppSpec, order, flag, hint), generic, sse, sse2, sse3)                                                           \
    X(dspsFFTFwd_RToPerm_32f, "s", LibStatus,                                                                          \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsFFTFwd_RToPack_32f, "s", LibStatus,                                                                          \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsFFTFwd_RToCCS_32f, "s", LibStatus,                                                                           \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsMul_32f_I, "s", LibStatus, (const float* pSrc, float* pSrcDst, int len), (pSrc, pSrcDst, len), generic, sse, \
      sse2, sse2)                                                                                                      \
    X(dspsMulC_32f_I, "s", LibStatus, (float val, float* pSrcDst, int len), (val, pSrcDst, len), generic, sse, sse2,   \
      sse3)                                                                                                            \
    X(dspsConvert_32s32f, "s", LibStatus, (const int* pSrc, float* pDst, int len), (pSrc, pDst, len), generic, sse,    \
      sse2, sse3)                                                                                                      \
    X(dspsConvert_32f32s_Sfs, "s", LibStatus, (const float* pSrc, int* pDst, int len, int rndMode, int sf),            \
      (pSrc, pDst, len, rndMode, sf), generic, sse, sse2, sse3)                                                        \
    X(dspsAdd_32f_I, "s", LibStatus, (const float* pSrc, float* pSrcDst, int len), (pSrc, pSrcDst, len), generic, sse, \
      sse2, sse2)                                                                                                      \
    X(dspsFFTInv_PermToR_32f, "s", LibStatus,                                                                          \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsFFTInv_PackToR_32f, "s", LibStatus,                                                                          \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsFFTInv_CCSToR_32f, "s", LibStatus,                                                                           \
      (const float* pSrc, float* pDst, const RealFftSpec* pSpec, unsigned char* pBuffer),                              \
      (pSrc, pDst, pSpec, pBuffer), generic, sse, sse2, sse3)                                                          \
    X(dspsConvert_16s32f, "s", LibStatus, (const short* pSrc, float* pDst, int len), (pSrc, pDst, len), generic, sse,  \
      sse2, sse3)                                                                                                      \
    X(dspsMulPerm_32f_I, "s", LibStatus, (const float* pSrc, float* pSrcDst, int len), (pSrc, pSrcDst, len), generic,  \
      sse, sse2, sse3)                                                                                                 \
    X(dspsMulPack_32f_I, "s", LibStatus, (const float* pSrc, float* pSrcDst, int len), (pSrc, pSrcDst, len), generic,  \
      sse, sse2, sse2)                                                                                                 \
    X(dspsMul_32fc_I, "s", LibStatus, (const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len), (pSrc, pSrcDst, len), generic, \
      sse, sse2, sse3)                                                                                                 \
    X(dspsMulPerm_32f, "s", LibStatus, (const float* pSrc1, const float* pSrc2, float* pDst, int len),                 \
      (pSrc1, pSrc2, pDst, len), generic, sse, sse2, sse3)                                                             \
    X(dspsMulPack_32f, "s", LibStatus, (const float* pSrc1, const float* pSrc2, float* pDst, int len),                 \
      (pSrc1, pSrc2, pDst, len), generic, sse, sse2, sse2)                                                             \
    X(dspsMul_32fc, "s", LibStatus, (const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len),              \
      (pSrc1, pSrc2, pDst, len), generic, sse, sse2, sse3)                                                             \
    X(dspsConvert_32f16s_Sfs, "s", LibStatus, (const float* pSrc, short* pDst, int len, int rndMode, int sf),          \
      (pSrc, pDst, len, rndMode, sf), generic, sse, sse2, sse3)                                                        \
    X(dspsFFTFree_R_32f, "s", LibStatus, (RealFftSpec * pSpec), (pSpec), generic, sse, sse2, sse3)                     \
    X(dspsFIRGenBandpass_64f, "s", LibStatus,                                                                          \
      (double rLow, double rHigh, double* taps, int len, int winType, int doNormal),                                   \
      (rLow, rHigh, taps, len, winType, doNormal), generic, sse, sse2, sse3)                                           \
    X(dspsSet_64f, "s", LibStatus, (double val, double* pDst, int len), (val, pDst, len), generic, sse, sse2, sse3)    \
    X(dspsMalloc_64f, "s", double*, (int len), (len), generic, generic, generic, sse3)                                 \
    X(dspsFIRGenLowpass_64f, "s", LibStatus, (double rFreq, double* taps, int len, int winType, int doNormal),         \
      (rFreq, taps, len, winType, doNormal), generic, sse, sse2, sse3)                                                 \
    X(dspsMulC_64f_I, "s", LibStatus, (double val, double* pSrcDst, int len), (val, pSrcDst, len), generic, sse, sse2, \
      sse3)                                                                                                            \
    X(dspsFIRGenBandstop_64f, "s", LibStatus,                                                                          \
      (double rLow, double rHigh, double* taps, int len, int winType, int doNormal),                                   \
      (rLow, rHigh, taps, len, winType, doNormal), generic, sse, sse2, sse3)                                           \
    X(dspsFIRGenHighpass_64f, "s", LibStatus, (double rFreq, double* taps, int len, int winType, int doNormal),        \
      (rFreq, taps, len, winType, doNormal), generic, sse, sse2, sse3)                                                 \
    X(dspsWinBlackmanStd_32f_I, "s", LibStatus, (float* pSrcDst, int len), (pSrcDst, len), generic, sse, sse2, sse3)   \
    X(dspsMul_32f, "s", LibStatus, (const float* pSrc1, const float* pSrc2, float* pDst, int len),                     \
      (pSrc1, pSrc2, pDst, len), generic, sse, sse2, sse2)                                                             \
    X(dspsMove_32f, "s", LibStatus, (const float* pSrc, float* pDst, int len), (pSrc, pDst, len), generic, sse, sse2,  \
      sse3)                                                                                                            \
    X(dspsConvert_32s32f_Sfs, "s", LibStatus, (const int* pSrc, float* pDst, int len, int sf), (pSrc, pDst, len, sf),  \
      generic, sse, sse2, sse3)                                                                                        \
    X(dspsConvert_16s32f_Sfs, "s", LibStatus, (const short* pSrc, float* pDst, int len, int sf),                       \
      (pSrc, pDst, len, sf), generic, sse, sse2, sse3)                                                                 \
    X(dspiResize_8u_C4R, "i", LibStatus,                                                                               \
      (const unsigned char* pSrc, ImageSize srcSize, int srcStep, ImageRect srcRoi, unsigned char* pDst, int dstStep,  \
       ImageSize dstRoiSize, double xFactor, double yFactor, int interpolation),                                       \
      (pSrc, srcSize, srcStep, srcRoi, pDst, dstStep, dstRoiSize, xFactor, yFactor, interpolation), placeholder,       \
      placeholder, placeholder, placeholder)
