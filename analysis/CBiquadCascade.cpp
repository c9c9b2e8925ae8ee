#include "analysis/CBiquadCascade.h"
#include "analysis/CBiquad.h"
#include <cstring>
#include <new>

CBiquadCascade::CBiquadCascade() : m_sections(nullptr), m_sectionCount(0), m_outputGain(1.0f) {}

CBiquadCascade::~CBiquadCascade()
{
    FreeSections();
}

void CBiquadCascade::FreeSections()
{
    for (int k = 0; k < m_sectionCount; ++k)
        delete m_sections[k];
    delete[] m_sections;
    m_sections = nullptr;
    m_sectionCount = 0;
}

bool CBiquadCascade::Design(const double (*denominators)[6], const double (*numerators)[6], float gain, int order)
{
    FreeSections();
    const int count = order >> 1;
    if (count < 1) {
        m_outputGain = gain;
        return true;
    }
    if (!denominators || !numerators)
        return false;
    float product = 1.0f;
    for (int k = 0; k < count; ++k)
        product = static_cast<float>(product * numerators[k][0]);
    m_outputGain = gain * product;

    m_sections = new (std::nothrow) CBiquad*[count]();
    if (!m_sections)
        return false;
    m_sectionCount = count;
    for (int k = 0; k < count; ++k) {
        m_sections[k] = new (std::nothrow) CBiquad();
        if (!m_sections[k]) {
            FreeSections();
            return false;
        }
        m_sections[k]->SetCoefficients(&denominators[k][3], &numerators[k][3]);
    }
    return true;
}

bool CBiquadCascade::Filter(const float* input, float* output, int count)
{
    if (!input || !output || count < 0)
        return false;
    if (input != output)
        std::memmove(output, input, count * sizeof(float));
    // Section by section over the block: each section sees the same samples
    // in the same order as when every sample passes all sections in turn.
    for (int k = 0; k < m_sectionCount; ++k)
        m_sections[k]->ProcessBlock(output, count);
    for (int i = 0; i < count; ++i)
        output[i] = output[i] * m_outputGain;
    return true;
}
