#include "analysis/CDelayLine16.h"
#include <cstdlib>
#include <cstring>

namespace {
const int kMaxLength = 1 << 24;
}

CDelayLine16::CDelayLine16()
    : m_length(0), m_mask(0), m_buffer(nullptr), m_writeIndex(0), m_delay(-1), m_clearPending(false)
{}

CDelayLine16::~CDelayLine16()
{
    Free();
}

bool CDelayLine16::Init(int length)
{
    Free();
    if (length < 1 || length > kMaxLength)
        return false;
    int rounded = 1;
    while (rounded < length)
        rounded <<= 1;
    m_buffer = static_cast<int16_t*>(std::malloc(rounded * sizeof(int16_t)));
    if (!m_buffer)
        return false;
    m_length = rounded;
    m_mask = rounded - 1;
    m_writeIndex = 0;
    m_delay = -1;
    m_clearPending = true;
    return true;
}

void CDelayLine16::SetDelay(int n)
{
    if (n >= m_length)
        return;
    m_delay = n < 0 ? 0 : n;
}

bool CDelayLine16::Process(const int16_t* in, int16_t* out, int count)
{
    if (!in || !out || count < 0)
        return false;
    // A delay never set, or a line without storage, passes the block through.
    if (m_delay <= 0 || !m_buffer) {
        if (in != out)
            std::memmove(out, in, count * sizeof(int16_t));
        return true;
    }
    if (m_clearPending) {
        std::memset(m_buffer, 0, m_length * sizeof(int16_t));
        m_clearPending = false;
    }
    int readIndex = (m_length - m_delay + m_writeIndex) & m_mask;
    for (int i = 0; i < count; ++i) {
        m_buffer[m_writeIndex] = in[i];
        m_writeIndex = (m_writeIndex + 1) & m_mask;
        out[i] = m_buffer[readIndex];
        readIndex = (readIndex + 1) & m_mask;
    }
    return true;
}

void CDelayLine16::Free()
{
    std::free(m_buffer);
    m_buffer = nullptr;
    m_length = 0;
    m_mask = 0;
}
