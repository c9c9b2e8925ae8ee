// Temporary stand-ins, replaced family by family.
#include "signal/DspBodies.h"

namespace dsp { namespace generic { LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsWinHamming_32f(const float* pSrc, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsMulPerm_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMulPack_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMulPack_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMulPack_32f_I(const float* pSrc, float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsMul_32fc_I(const Dsp32fc* pSrc, Dsp32fc* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsMulPerm_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMulPack_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMulPack_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMulPack_32f(const float* pSrc1, const float* pSrc2, float* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsMul_32fc(const Dsp32fc* pSrc1, const Dsp32fc* pSrc2, Dsp32fc* pDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsFIRGenBandpass_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsFIRGenBandpass_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsFIRGenBandpass_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsFIRGenBandpass_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsFIRGenLowpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsFIRGenLowpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsFIRGenLowpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsFIRGenLowpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsFIRGenBandstop_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsFIRGenBandstop_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsFIRGenBandstop_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsFIRGenBandstop_64f(double rLow, double rHigh, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsFIRGenHighpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsFIRGenHighpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsFIRGenHighpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsFIRGenHighpass_64f(double rFreq, double* taps, int len, int winType, int doNormal) { return StatusNoMemory; } } }
namespace dsp { namespace generic { LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse { LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse2 { LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len) { return StatusNoMemory; } } }
namespace dsp { namespace sse3 { LibStatus dspsWinBlackmanStd_32f_I(float* pSrcDst, int len) { return StatusNoMemory; } } }
