#include "audio/KernelStreaming/irptgt.h"
#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KernelStreaming/kstrace.h"
#include <cstdlib>
#include <cstring>

namespace {
const char kFile[] = "irptgt";

// A failed control is still a size query when the driver says the empty output is too small.
HRESULT FailedIoctlResult(DWORD error, ULONG code, ULONG outLen, DWORD count, ULONG* returned)
{
    bool sizeQuery =
        (error == ERROR_INSUFFICIENT_BUFFER || error == ERROR_MORE_DATA) && code == IOCTL_KS_PROPERTY && outLen == 0;
    *returned = sizeQuery ? count : 0;
    return sizeQuery ? S_OK : E_FAIL;
}

// Waits for a pended request and takes its final status, which may still be a failure.
HRESULT CompletePending(HANDLE handle, HANDLE event, OVERLAPPED* overlapped, ULONG code, ULONG outLen, ULONG* returned)
{
    DWORD wait = WaitForSingleObject(event, INFINITE);
    if (wait != WAIT_OBJECT_0) {
        KsTrace(1, "CKsIrpTarget::SyncIoctl WaitForSingleObject failed dwWait:0x%08x", (unsigned)wait);
        *returned = 0;
        return E_FAIL;
    }
    DWORD count = 0;
    if (KsPlatform()->GetOverlappedResult(handle, overlapped, &count, FALSE)) {
        *returned = count;
        return S_OK;
    }
    return FailedIoctlResult(GetLastError(), code, outLen, count, returned);
}
} // namespace

CKsIrpTarget::CKsIrpTarget(HANDLE handle) : m_handle(handle)
{}

BOOL CKsIrpTarget::IsValidHandle(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

BOOL CKsIrpTarget::SafeCloseHandle(HANDLE& handle)
{
    if (!IsValidHandle(handle))
        return TRUE;
    BOOL closed = KsPlatform()->CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return closed;
}

HRESULT CKsIrpTarget::SyncIoctl(HANDLE handle, ULONG code, void* in, ULONG inLen, void* out, ULONG outLen,
                                ULONG* returned)
{
    HRESULT hr = S_OK;
    ULONG localCount = 0;
    if (!returned)
        returned = &localCount;
    *returned = 0;
    if (!IsValidHandle(handle)) {
        KsTrace(1, "CKsIrpTarget::SyncIoctl Invalid Handle");
        KS_EXIT_TRACE(kFile, E_FAIL);
        return E_FAIL;
    }
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!event) {
        KsTrace(1, "CKsIrpTarget::SyncIoctl CreateEvent failed");
        KS_EXIT_TRACE(kFile, E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    }
    OVERLAPPED overlapped = {};
    // The low bit keeps a completion port bound to the handle from being notified.
    overlapped.hEvent = (HANDLE)((ULONG_PTR)event | 1);
    DWORD count = 0;
    if (KsPlatform()->DeviceIoControl(handle, code, in, inLen, out, outLen, &count, &overlapped)) {
        *returned = count;
    } else {
        DWORD error = GetLastError();
        if (error == ERROR_IO_PENDING)
            hr = CompletePending(handle, event, &overlapped, code, outLen, returned);
        else
            hr = FailedIoctlResult(error, code, outLen, count, returned);
    }
    ::CloseHandle(event);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

ULONG CKsIrpTarget::GetWfxSize(const WAVEFORMATEX* wfx)
{
    if (!wfx)
        return 0;
    static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is packed");
    if (wfx->wFormatTag == WAVE_FORMAT_PCM)
        return sizeof(WAVEFORMATEX);
    return sizeof(WAVEFORMATEX) + wfx->cbSize;
}

HRESULT CKsIrpTarget::SetProperty(REFGUID set, ULONG id, void* value, ULONG valueLen, void* extra, ULONG extraLen)
{
    ULONG requestLen = sizeof(KSPROPERTY) + extraLen;
    KSPROPERTY* request = (KSPROPERTY*)calloc(1, requestLen);
    if (!request) {
        KS_EXIT_TRACE(kFile, E_OUTOFMEMORY);
        return E_OUTOFMEMORY;
    }
    request->Set = set;
    request->Id = id;
    request->Flags = KSPROPERTY_TYPE_SET;
    if (extra && extraLen)
        memcpy(request + 1, extra, extraLen);
    ULONG count = 0;
    HRESULT hr = SyncIoctl(m_handle, IOCTL_KS_PROPERTY, request, requestLen, value, valueLen, &count);
    free(request);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsIrpTarget::GetPropertyMulti(REFGUID set, ULONG id, void** buffer, ULONG* blockSize)
{
    if (!buffer) {
        KS_EXIT_TRACE(kFile, E_INVALIDARG);
        return E_INVALIDARG;
    }
    KSPROPERTY request = {};
    request.Set = set;
    request.Id = id;
    request.Flags = KSPROPERTY_TYPE_GET;
    HRESULT hr = ReadMultiple(&request, sizeof(request), buffer, blockSize, false);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsIrpTarget::ReadMultiple(void* request, ULONG requestLen, void** buffer, ULONG* blockSize,
                                   bool blockWhenEmpty)
{
    ULONG size = 0;
    HRESULT hr = SyncIoctl(m_handle, IOCTL_KS_PROPERTY, request, requestLen, nullptr, 0, &size);
    if (FAILED(hr) || (size == 0 && !blockWhenEmpty))
        return hr;
    void* block = calloc(1, size ? size : 1);
    if (!block)
        return E_OUTOFMEMORY;
    *buffer = block;
    if (blockSize)
        *blockSize = size;
    return SyncIoctl(m_handle, IOCTL_KS_PROPERTY, request, requestLen, block, size, nullptr);
}

bool KsIsValidMultipleItem(const void* block, ULONG blockSize, ULONG itemSize)
{
    if (!block || blockSize < sizeof(KSMULTIPLE_ITEM))
        return false;
    const KSMULTIPLE_ITEM* header = (const KSMULTIPLE_ITEM*)block;
    if (header->Size < sizeof(KSMULTIPLE_ITEM) || header->Size > blockSize)
        return false;
    ULONG room = header->Size - sizeof(KSMULTIPLE_ITEM);
    return itemSize == 0 || header->Count <= room / itemSize;
}
