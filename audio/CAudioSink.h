#pragma once

class CKsEngine;

// How a Kernel Streaming engine hands packets to its client, on the engine's thread.
class CAudioSink {
public:
    virtual ~CAudioSink() = default;
    // After each handled packet was queued again.
    virtual void OnPacketDone() = 0;
    // Capture: non-zero when the sink took the packet.
    virtual int OnCaptured(CKsEngine* engine, void* data, int bytes) = 0;
    // Render: non-zero when the sink filled the packet.
    virtual int OnRender(CKsEngine* engine, void* data, int bytes) = 0;
};
