#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

// Hands out DirectSound capture objects. Where the system frees a capture object without the memory of
// its last capture buffer (see DSoundApi), the object of the device last opened is kept when it is given
// back and handed out again for the same device, so that switching interfaces back and forth loses nothing
// each time; another device, or a default device that now stands for another, gets an object of its own.
// A kept object may outlive the sound server behind it; a caller that cannot make its stream on a kept
// object drops it and asks again, for a fresh one.
// Threads: any; a kept object goes to one caller at a time.
class DSoundCaptureKeeper {
public:
    enum class Origin { Fresh, Kept };

    // The capture object of device (null or GUID_NULL: the default one), with a reference for the caller;
    // *resolved names the device it captures from, GUID_NULL where that is unknown; *origin whether it
    // was kept.
    static HRESULT Acquire(const GUID* device, IDirectSoundCapture** out, GUID* resolved, Origin* origin);
    // Takes back the caller's reference to an object from Acquire whose device worked.
    static void GiveBack(IDirectSoundCapture* capture, const GUID& resolved);
    // Releases the kept object, if any.
    static void Clear();
};
