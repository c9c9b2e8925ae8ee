#include "audio/AudioDriverFactory.h"
#include "audio/AI_DirectSound.h"
#include "audio/AI_KernelStreaming.h"
#include "audio/AI_Wave.h"

CAudioDriver* CreateAudioDriver(bool input, int typeId)
{
    switch (typeId) {
    case AudioTypeWave: return new AI_Wave(input);
    case AudioTypeDirectSound: return new AI_DirectSound(input);
    case AudioTypeKernelStreaming: return new AI_KernelStreaming(input);
    default: return nullptr;
    }
}
