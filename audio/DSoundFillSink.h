#pragma once

// Where the DirectSound output buffers get their samples: the sink fills the
// memory in place.
class DSoundFillSink {
public:
    virtual void Fill(void* buffer, int bytes) = 0;
    virtual void OnPosition(int block, int offset) = 0;
    virtual ~DSoundFillSink() = default;
};
