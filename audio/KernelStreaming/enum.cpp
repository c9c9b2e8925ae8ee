#include "audio/KernelStreaming/enum.h"
#include "audio/KernelStreaming/audfilter.h"
#include "audio/KernelStreaming/ksname.h"
#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KernelStreaming/kstrace.h"
#include <cstdlib>
#include <new>

namespace {
const char kFile[] = "enum";

CKsFilter* NewFilter(ULONG kind, LPCSTR path, HRESULT* phr, LPCSTR name)
{
    switch (kind) {
    case 1: return new (std::nothrow) CKsAudRenderFilter(path, phr, name);
    case 2: return new (std::nothrow) CKsAudCaptureFilter(path, phr, name);
    default: return new (std::nothrow) CKsFilter(path, phr, name);
    }
}

// Every further class must list the interface as an active alias.
bool HasActiveAliases(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, const GUID* classes, ULONG count)
{
    for (ULONG i = 1; i < count; ++i) {
        SP_DEVICE_INTERFACE_DATA alias = {};
        alias.cbSize = sizeof(alias);
        if (!KsPlatform()->SetupDiGetDeviceInterfaceAlias(set, data, &classes[i], &alias)) {
            KsTrace(5, "Failed to get requested DeviceInterfaceAlias");
            return false;
        }
        if (alias.Flags == 0 || (alias.Flags & SPINT_REMOVED)) {
            KsTrace(5, "DeviceInterfaceAlias disabled.");
            return false;
        }
    }
    return true;
}
} // namespace

CKsFilterEnum::CKsFilterEnum(HRESULT* phr)
{
    KS_EXIT_TRACE(kFile, S_OK);
    if (phr)
        *phr = S_OK;
}

CKsFilterEnum::~CKsFilterEnum()
{
    DestroyLists();
    KS_EXIT_TRACE(kFile, 0);
}

HRESULT CKsFilterEnum::DestroyLists()
{
    m_listFilters.DeleteAll();
    KS_EXIT_TRACE(kFile, S_OK);
    return S_OK;
}

HRESULT CKsFilterEnum::EnumFilters(ULONG kind, const GUID* classes, ULONG count, BOOL enumPins, BOOL enumNodes,
                                   BOOL instantiate)
{
    HRESULT hr = DestroyLists();
    CKsPlatform* platform = KsPlatform();
    HDEVINFO set = INVALID_HANDLE_VALUE;
    if (SUCCEEDED(hr) && classes && count > 0 && !IsEqualGUID(classes[0], GUID_NULL)) {
        set = platform->SetupDiGetClassDevsA(&classes[0], nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (!set || set == INVALID_HANDLE_VALUE) {
            hr = E_FAIL;
            KsTrace(4, "No devices found");
        } else {
            EnumInterfaces(set, kind, classes, count, enumPins, enumNodes, instantiate, &hr);
        }
    }
    if (set && set != INVALID_HANDLE_VALUE)
        platform->SetupDiDestroyDeviceInfoList(set);
    if (SUCCEEDED(hr) && m_listFilters.IsEmpty())
        hr = E_FAIL;
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

void CKsFilterEnum::EnumInterfaces(HDEVINFO set, ULONG kind, const GUID* classes, ULONG count, BOOL enumPins,
                                   BOOL enumNodes, BOOL instantiate, HRESULT* phr)
{
    CKsPlatform* platform = KsPlatform();
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof(data);
        SP_DEVINFO_DATA devInfo = {};
        devInfo.cbSize = sizeof(devInfo);
        if (!platform->SetupDiEnumDeviceInterfaces(set, nullptr, &classes[0], index, &data))
            return;
        auto* detail = (PSP_DEVICE_INTERFACE_DETAIL_DATA_A)calloc(1, kDetailSize);
        if (!detail) {
            *phr = E_OUTOFMEMORY;
            KsTrace(4, "Failed to allocate SP_DEVICE_INTERFACE_DETAIL_DATA structure");
            return;
        }
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (platform->SetupDiGetDeviceInterfaceDetailA(set, &data, detail, kDetailSize, nullptr, &devInfo)) {
            ((char*)detail)[kDetailSize - 1] = 0;
            char name[MAX_PATH];
            KsReadFriendlyName(set, &data, detail->DevicePath, name, sizeof(name));
            if (HasActiveAliases(set, &data, classes, count))
                AddFilter(kind, detail->DevicePath, name, enumPins, enumNodes, instantiate);
        }
        free(detail);
    }
}

void CKsFilterEnum::AddFilter(ULONG kind, LPCSTR path, LPCSTR name, BOOL enumPins, BOOL enumNodes, BOOL instantiate)
{
    HRESULT hr = S_OK;
    CKsFilter* filter = NewFilter(kind, path, &hr, name);
    if (!filter)
        hr = E_OUTOFMEMORY;
    if (SUCCEEDED(hr) && (enumPins || enumNodes || instantiate)) {
        hr = filter->Instantiate();
        if (enumNodes && SUCCEEDED(hr))
            hr = filter->EnumerateNodes();
        if (enumPins && SUCCEEDED(hr))
            hr = filter->EnumeratePins();
    }
    if (SUCCEEDED(hr) && !m_listFilters.AddTail(filter))
        hr = E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete filter;
        KsTrace(1, "Failed to create filter for %s", path);
    }
}
