#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

const double kPi = 3.14159265358979323846;

// Synthesised test signals at 16-bit scale.
class SineSource {
public:
    SineSource(double dbfs, double frequency, double rate = 48000.0)
        : m_amplitude(32768.0 * std::pow(10.0, dbfs / 20.0)), m_step(2.0 * kPi * frequency / rate), m_n(0)
    {}
    void SetLevel(double dbfs) { m_amplitude = 32768.0 * std::pow(10.0, dbfs / 20.0); }
    std::vector<int32_t> Next(int frames)
    {
        std::vector<int32_t> out(frames);
        for (int i = 0; i < frames; ++i, ++m_n)
            out[i] = static_cast<int32_t>(std::lround(m_amplitude * std::sin(m_step * m_n)));
        return out;
    }

private:
    double m_amplitude;
    double m_step;
    long long m_n;
};
