#pragma once

class CAudioDriver;

// How a driver hands each device block to its owner, on the driver's device thread.
class CAudioCallback {
public:
    virtual void OnAudioBlock(CAudioDriver* driver, void* deviceBuffer, int bytes) = 0;
    virtual ~CAudioCallback() = default;
};
