#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

// Hands out DirectSound capture objects. Where the system frees a capture object without the memory of
// its last capture buffer (see DSoundApi), the object of the device last opened is kept when it is given
// back and handed out again for the same device, so that switching interfaces back and forth loses nothing
// each time; another device, or a default device that now stands for another, gets an object of its own.
// Threads: any; a kept object goes to one caller at a time.
class DSoundCaptureKeeper {
public:
    // The capture object of device (null or GUID_NULL: the default one), with a reference for the caller;
    // *resolved names the device it captures from, GUID_NULL where that is unknown.
    static HRESULT Acquire(const GUID* device, IDirectSoundCapture** out, GUID* resolved);
    // Takes back the caller's reference to an object from Acquire whose device worked.
    static void GiveBack(IDirectSoundCapture* capture, const GUID& resolved);
    // Releases the kept object, if any.
    static void Clear();
};
