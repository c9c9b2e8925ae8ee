#include "CEbur128Reference.h"

namespace {
// The library's mode bits, as its public header documents them: momentary, short-term and
// sample peak.
const int kModeMomentary = 1;
const int kModeShortTerm = 2 | kModeMomentary;
const int kModeSamplePeak = 16 | kModeMomentary;
// The meter's 3 second window. Its 10 and 30 second windows are left out: this version of the
// library asks for rate * milliseconds frames of history, more than a 32-bit process can have.
const unsigned long kWindowMs = 3000;
const unsigned kChannels = 2;

template <class T>
T Entry(HMODULE dll, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}
} // namespace

CEbur128Reference::CEbur128Reference()
    : m_dll(nullptr), m_init(nullptr), m_destroy(nullptr), m_add(nullptr), m_window(nullptr), m_peak(nullptr),
      m_state(nullptr), m_sink(0.0)
{}

CEbur128Reference::~CEbur128Reference()
{
    Stop();
    if (m_dll)
        FreeLibrary(m_dll);
}

bool CEbur128Reference::Load()
{
    if (!m_dll)
        m_dll = LoadLibraryA("ebur128.dll");
    if (!m_dll)
        return false;
    m_init = Entry<Init>(m_dll, "ebur128_init");
    m_destroy = Entry<Destroy>(m_dll, "ebur128_destroy");
    m_add = Entry<AddFramesInt>(m_dll, "ebur128_add_frames_int");
    m_window = Entry<Window>(m_dll, "ebur128_loudness_window");
    m_peak = Entry<Peak>(m_dll, "ebur128_prev_sample_peak");
    return m_init && m_destroy && m_add && m_window && m_peak;
}

bool CEbur128Reference::Start(unsigned long rate)
{
    Stop();
    if (!m_init)
        return false;
    m_state = m_init(kChannels, rate, kModeShortTerm | kModeSamplePeak);
    return m_state != nullptr;
}

void CEbur128Reference::Block(const int* interleaved, int frames, bool read)
{
    m_add(m_state, interleaved, frames);
    if (!read)
        return;
    m_window(m_state, kWindowMs, &m_sink);
    for (unsigned c = 0; c < kChannels; ++c)
        m_peak(m_state, c, &m_sink);
}

void CEbur128Reference::Stop()
{
    if (m_state)
        m_destroy(&m_state);
    m_state = nullptr;
}
