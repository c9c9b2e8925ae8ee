#include "audio/DSoundCaptureKeeper.h"
#include "audio/DSoundApi.h"
#include "common/CMutex.h"

namespace {

struct Kept {
    CMutex lock;
    IDirectSoundCapture* object = nullptr;
    GUID device = {};
};

Kept& TheKept()
{
    static Kept kept;
    return kept;
}

// The kept object, taken out; null unless it captures from device.
IDirectSoundCapture* TakeKept(const GUID& device, IDirectSoundCapture** other)
{
    Kept& kept = TheKept();
    kept.lock.Lock();
    const bool same = kept.object && !IsEqualGUID(device, GUID_NULL) && IsEqualGUID(kept.device, device);
    IDirectSoundCapture* object = kept.object;
    kept.object = nullptr;
    kept.lock.Unlock();
    *other = same ? nullptr : object;
    return same ? object : nullptr;
}

} // namespace

HRESULT DSoundCaptureKeeper::Acquire(const GUID* device, IDirectSoundCapture** out, GUID* resolved, Origin* origin)
{
    const DSoundApi& api = CurrentDSoundApi();
    *resolved = GUID_NULL;
    *origin = Origin::Fresh;
    if (!api.leaksReleasedCapture)
        return api.captureCreate(device, out, nullptr);
    const bool byDefault = !device || IsEqualGUID(*device, GUID_NULL);
    if (FAILED(api.deviceId(byDefault ? &DSDEVID_DefaultCapture : device, resolved)))
        *resolved = GUID_NULL;
    IDirectSoundCapture* other = nullptr;
    IDirectSoundCapture* kept = TakeKept(*resolved, &other);
    // Before a new object is made: the system may refuse a second one of the same device.
    if (other)
        other->Release();
    if (kept) {
        *out = kept;
        *origin = Origin::Kept;
        return S_OK;
    }
    return api.captureCreate(device, out, nullptr);
}

void DSoundCaptureKeeper::GiveBack(IDirectSoundCapture* capture, const GUID& resolved)
{
    if (!capture)
        return;
    if (!CurrentDSoundApi().leaksReleasedCapture || IsEqualGUID(resolved, GUID_NULL)) {
        capture->Release();
        return;
    }
    Kept& kept = TheKept();
    kept.lock.Lock();
    IDirectSoundCapture* previous = kept.object;
    kept.object = capture;
    kept.device = resolved;
    kept.lock.Unlock();
    if (previous)
        previous->Release();
}

void DSoundCaptureKeeper::Clear()
{
    IDirectSoundCapture* other = nullptr;
    TakeKept(GUID_NULL, &other);
    if (other)
        other->Release();
}
