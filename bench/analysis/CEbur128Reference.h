#pragma once
#include <windows.h>

// libebur128, loaded from ebur128.dll beside the program (built by build-ebur128.sh, never
// committed), driven as the loudness meter is: blocks of interleaved stereo, and after each block
// whose reading the display takes, the 3 second window and each channel's block peak.
class CEbur128Reference {
public:
    CEbur128Reference();
    ~CEbur128Reference();
    CEbur128Reference(const CEbur128Reference&) = delete;
    CEbur128Reference& operator=(const CEbur128Reference&) = delete;

    // False when the library or one of its entry points is missing.
    bool Load();
    // A fresh state for a stereo stream at rate; false when the library refuses it.
    bool Start(unsigned long rate);
    // frames of interleaved stereo at full 32-bit range; takes a reading when read is set.
    void Block(const int* interleaved, int frames, bool read);
    void Stop();

private:
    typedef void* (*Init)(unsigned channels, unsigned long rate, int mode);
    typedef void (*Destroy)(void** state);
    typedef int (*AddFramesInt)(void* state, const int* src, size_t frames);
    typedef int (*Window)(void* state, unsigned long ms, double* out);
    typedef int (*Peak)(void* state, unsigned channel, double* out);

    HMODULE m_dll;
    Init m_init;
    Destroy m_destroy;
    AddFramesInt m_add;
    Window m_window;
    Peak m_peak;
    void* m_state;
    double m_sink;
};
