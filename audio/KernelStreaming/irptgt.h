#pragma once
#include "audio/KernelStreaming/ksdefs.h"

// The common base of filters and pins: one kernel handle and the blocking
// I/O-control and property helpers that work on it.
class CKsIrpTarget {
public:
    explicit CKsIrpTarget(HANDLE handle);

    HANDLE GetHandle() const { return m_handle; }

    static BOOL IsValidHandle(HANDLE handle);
    static BOOL SafeCloseHandle(HANDLE& handle);
    static HRESULT SyncIoctl(HANDLE handle, ULONG code, void* in, ULONG inLen, void* out, ULONG outLen,
                             ULONG* returned);
    static ULONG GetWfxSize(const WAVEFORMATEX* wfx);

    HRESULT SetProperty(REFGUID set, ULONG id, void* value, ULONG valueLen, void* extra, ULONG extraLen);
    // Reads a variable-size property into a block from malloc that the caller frees;
    // its size goes to *blockSize when that is given.
    HRESULT GetPropertyMulti(REFGUID set, ULONG id, void** buffer, ULONG* blockSize = nullptr);

protected:
    // Asks a GET request for its answer's size, then reads it into a block from calloc;
    // an empty answer gets a block of its own only when blockWhenEmpty is set.
    HRESULT ReadMultiple(void* request, ULONG requestLen, void** buffer, ULONG* blockSize, bool blockWhenEmpty);

    HANDLE m_handle;
};

// True when a KSMULTIPLE_ITEM answer of blockSize bytes holds its header and
// Count items of itemSize bytes inside both its own Size and the block.
bool KsIsValidMultipleItem(const void* block, ULONG blockSize, ULONG itemSize);
