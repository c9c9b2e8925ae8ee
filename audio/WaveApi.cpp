#include "audio/WaveApi.h"

namespace {

const WaveApi systemApi = {
    waveInGetNumDevs,
    waveInGetDevCapsA,
    waveInMessage,
    waveInOpen,
    waveInPrepareHeader,
    waveInUnprepareHeader,
    waveInAddBuffer,
    waveInStart,
    waveInStop,
    waveInReset,
    waveInClose,
    waveOutGetNumDevs,
    waveOutGetDevCapsA,
    waveOutMessage,
    waveOutOpen,
    waveOutPrepareHeader,
    waveOutUnprepareHeader,
    waveOutWrite,
    waveOutPause,
    waveOutReset,
    waveOutClose,
    timeGetTime,
};

const WaveApi* currentApi = &systemApi;

} // namespace

const WaveApi& CurrentWaveApi()
{
    return *currentApi;
}

void SetWaveApi(const WaveApi* api)
{
    currentApi = api ? api : &systemApi;
}
