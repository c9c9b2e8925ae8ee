// Temporary stand-ins, replaced family by family.
#include "signal/DspBodies.h"

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
