// Body of the block kernels, included once per variant inside its own
// namespace; see BiquadKernel.h.

// A decaying output would otherwise sink into denormals, which the x87 unit
// handles a hundred times slower; below 1e-30 nothing is audible.
const double kFlushBelow = 1e-30;

inline double RoundedOutput(double y)
{
    return (y < kFlushBelow && y > -kFlushBelow) ? 0.0 : static_cast<double>(static_cast<float>(y));
}

void Run(const BiquadBlock& block, const float* input, float* output, int count)
{
    const int sections = block.sections;
    double* const history = block.history;
    for (int i = 0; i < count; ++i) {
        double v = input[i];
        const double* c = block.coefficients;
        double* w = history;
        for (int s = 0; s < sections; ++s, c += 5, w += 2) {
            const double y = c[0] * v + c[1] * w[0] + c[2] * w[1] - c[3] * w[2] - c[4] * w[3];
            w[1] = w[0];
            w[0] = v;
            v = RoundedOutput(y);
        }
        w[1] = w[0];
        w[0] = v;
        output[i] = static_cast<float>(v) * block.outputGain;
    }
}
