#include "analysis/CBiquadCascade.h"
#include "analysis/BiquadKernel.h"
#include "analysis/CBiquad.h"
#include "analysis/Sse2KernelsSelected.h"
#include <new>

namespace {
const int kCoefficientsPerSection = 5;
}

CBiquadCascade::CBiquadCascade() : m_sections(nullptr), m_sectionCount(0), m_outputGain(1.0f), m_packed(nullptr)
{}

CBiquadCascade::~CBiquadCascade()
{
    FreeSections();
}

void CBiquadCascade::FreeSections()
{
    for (int k = 0; k < m_sectionCount; ++k)
        delete m_sections[k];
    delete[] m_sections;
    delete[] m_packed;
    m_sections = nullptr;
    m_packed = nullptr;
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
    // The kernels' copy: coefficients of every section, then the shared histories.
    m_packed = new (std::nothrow) double[kCoefficientsPerSection * count + 2 * count + 2]();
    if (!m_sections || !m_packed) {
        FreeSections();
        return false;
    }
    m_sectionCount = count;
    for (int k = 0; k < count; ++k) {
        m_sections[k] = new (std::nothrow) CBiquad();
        if (!m_sections[k]) {
            FreeSections();
            return false;
        }
        m_sections[k]->SetCoefficients(&denominators[k][3], &numerators[k][3]);
        m_sections[k]->GetCoefficients(m_packed + kCoefficientsPerSection * k);
    }
    return true;
}

// The inputs of section k + 1 are the outputs of section k, so the sections'
// histories fold into one chain of 2 * sections + 2 values, kept here from
// block to block.
double* CBiquadCascade::History() const
{
    return m_packed + kCoefficientsPerSection * m_sectionCount;
}

bool CBiquadCascade::Filter(const float* input, float* output, int count)
{
    if (!input || !output || count < 0)
        return false;
    if (m_sectionCount == 0) {
        for (int i = 0; i < count; ++i)
            output[i] = input[i] * m_outputGain;
        return true;
    }
    const BiquadBlock block = {m_packed, History(), m_sectionCount, m_outputGain};
    if (Sse2KernelsSelected())
        BiquadRunSse2(block, input, output, count);
    else
        BiquadRunGeneric(block, input, output, count);
    return true;
}

bool CBiquadCascade::FilterPair(CBiquadCascade& a, CBiquadCascade& b, const float* input, float* outputA,
                                float* outputB, int count)
{
    const int sections = a.m_sectionCount;
    if (!Sse2KernelsSelected() || &a == &b || sections < 1 || sections != b.m_sectionCount ||
        sections > kBiquadPairMaxSections || !input || !outputA || !outputB || count < 0)
        return a.Filter(input, outputA, count) && b.Filter(input, outputB, count);
    const BiquadBlock blockA = {a.m_packed, a.History(), sections, a.m_outputGain};
    const BiquadBlock blockB = {b.m_packed, b.History(), sections, b.m_outputGain};
    BiquadRunPairSse2(blockA, blockB, input, outputA, outputB, count);
    return true;
}
