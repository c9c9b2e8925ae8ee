#pragma once
#include <cstdint>

// An integer delay of 16-bit samples over a power-of-two ring.
class CDelayLine16 {
public:
    CDelayLine16();
    ~CDelayLine16();
    CDelayLine16(const CDelayLine16&) = delete;
    CDelayLine16& operator=(const CDelayLine16&) = delete;

    // A length that is not a power of two is rounded up to one; false when
    // the length is out of range or memory runs out.
    bool Init(int length);
    // Delays at or beyond the length are ignored, negative ones become 0.
    void SetDelay(int n);
    // In and out may be the same buffer; a new delay takes effect here.
    bool Process(const int16_t* in, int16_t* out, int count);
    bool ProcessInPlace(int16_t* buffer, int count) { return Process(buffer, buffer, count); }
    void Free();

    int GetLength() const { return m_length; }
    int GetDelay() const { return m_delay; }

private:
    int m_length;
    int m_mask;
    int16_t* m_buffer;
    int m_writeIndex;
    int m_delay;
    bool m_clearPending;
};
