#pragma once
// Constants of the float windows, shared by every variant.

namespace dsp {

const double WindowTwoPi = 6.283185307179586476925286766559;
// The standard Blackman window's parameter, as a float.
const float BlackmanStdAlpha = -0.16f;

} // namespace dsp
