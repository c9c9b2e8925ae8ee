#pragma once
#include <cstdint>

class CAudioInterface;

// Receives audio from a CAudioInterface on the driver's device thread, with the
// interface's lock held. Every operation does nothing unless overridden.
class CAudioClient {
public:
    virtual ~CAudioClient();
    virtual void OnInputInterleaved(CAudioInterface* sender, void* deviceBuffer, int bytes);
    virtual void OnOutputInterleaved(CAudioInterface* sender, void* deviceBuffer, int bytes);
    // channels[c][f]: sample f of channel c at 16-bit scale.
    virtual void OnInputPlanar(CAudioInterface* sender, int32_t** channels, int frames);
    virtual void OnOutputPlanar(CAudioInterface* sender, int32_t** channels, int frames);
    virtual void OnFifoNotify(CAudioInterface* sender);
};
