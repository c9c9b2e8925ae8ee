// Body of the block kernels, included once per variant inside its own
// namespace; see BiquadKernel.h.

// A decaying output would otherwise sink into denormals, which the x87 unit
// handles a hundred times slower; below 1e-30 nothing is audible.
const double kFlushBelow = 1e-30;

inline double RoundedOutput(double y)
{
    return (y < kFlushBelow && y > -kFlushBelow) ? 0.0 : static_cast<double>(static_cast<float>(y));
}

void RunSampleBySample(const BiquadBlock& block, const float* input, float* output, int count)
{
    for (int i = 0; i < count; ++i) {
        double v = input[i];
        const double* c = block.coefficients;
        double* w = block.history;
        for (int s = 0; s < block.sections; ++s, c += 5, w += 2) {
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

const int kSkewedSections = 16;

// Step t runs section s on sample t - s, so the sections of one step do not
// wait for each other; carry[s] holds the output of section s - 1 from the
// step before. Each section still sees its samples in order, and section s
// pushes its input into the history it shares with section s - 1 before that
// one reads it, so the result is that of RunSampleBySample.
void Run(const BiquadBlock& block, const float* input, float* output, int count)
{
    const int sections = block.sections;
    double carry[kSkewedSections + 1];
    if (sections > kSkewedSections) {
        RunSampleBySample(block, input, output, count);
        return;
    }
    for (int t = 0; t < count + sections - 1; ++t) {
        const int first = t - count + 1 > 0 ? t - count + 1 : 0;
        const int last = t < sections - 1 ? t : sections - 1;
        for (int s = last; s >= first; --s) {
            const double v = s == 0 ? static_cast<double>(input[t]) : carry[s];
            const double* c = block.coefficients + 5 * s;
            double* w = block.history + 2 * s;
            const double y = c[0] * v + c[1] * w[0] + c[2] * w[1] - c[3] * w[2] - c[4] * w[3];
            w[1] = w[0];
            w[0] = v;
            carry[s + 1] = RoundedOutput(y);
        }
        if (t >= sections - 1) {
            double* w = block.history + 2 * sections;
            const double v = carry[sections];
            w[1] = w[0];
            w[0] = v;
            output[t - sections + 1] = static_cast<float>(v) * block.outputGain;
        }
    }
}
