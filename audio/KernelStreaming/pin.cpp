#include "audio/KernelStreaming/pin.h"
#include "audio/KernelStreaming/filter.h"
#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KernelStreaming/kstrace.h"
#include <cstdlib>
#include <cstring>

namespace {
const char kFile[] = "pin";

// ksuser.dll stays loaded for the process; a new platform (a stand-in) loads it afresh.
struct KsUserDll {
    CKsPlatform* owner;
    HMODULE module;
    KsCreatePinFn create;
};
KsUserDll g_ksUser = {};

HRESULT LoadKsCreatePin()
{
    CKsPlatform* platform = KsPlatform();
    if (g_ksUser.owner != platform)
        g_ksUser = {platform, nullptr, nullptr};
    if (g_ksUser.create)
        return S_OK;
    if (!g_ksUser.module)
        g_ksUser.module = platform->LoadLibraryA("ksuser.dll");
    if (g_ksUser.module)
        g_ksUser.create = (KsCreatePinFn)(void*)platform->GetProcAddress(g_ksUser.module, "KsCreatePin");
    return g_ksUser.create ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

// KsCreatePin answers a Win32 error, but a negative value is passed on as it is.
HRESULT CreatePinResult(DWORD result)
{
    if (result == 0)
        return S_OK;
    if ((LONG)result > 0)
        return (HRESULT)(0x80070000 | (result & 0xFFFF));
    return (HRESULT)result;
}

// failText is a trace format taking the Win32 error.
HRESULT StreamIo(HANDLE handle, DWORD code, KSSTREAM_HEADER* header, OVERLAPPED* overlapped, const char* failText)
{
    DWORD error = 0;
    HRESULT hr = E_INVALIDARG;
    DWORD count = 0;
    if (header && overlapped) {
        hr = S_OK;
        if (!KsPlatform()->DeviceIoControl(handle, code, nullptr, 0, header, header->Size, &count, overlapped)) {
            error = GetLastError();
            hr = error == ERROR_IO_PENDING ? S_OK : E_FAIL;
        }
    }
    if (FAILED(hr))
        KsTrace(1, failText, (unsigned)error);
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}
} // namespace

CKsPin::CKsPin(CKsFilter* pFilter, ULONG nId, HRESULT* phr)
    : CKsIrpTarget(INVALID_HANDLE_VALUE), m_pksPinCreate(nullptr), m_cbPinCreateSize(0), m_nId(nId), m_pFilter(pFilter),
      m_guidCategory(GUID_NULL), m_nInterfaces(0), m_pInterfaces(nullptr), m_nMediums(0), m_pMediums(nullptr),
      m_nDataRanges(0), m_pDataRanges(nullptr), m_nDataFlow(0), m_nCommunication(0), m_cInstances(),
      m_cGlobalInstances(), m_pDataRangesBlock(nullptr), m_pMediumsBlock(nullptr), m_pInterfacesBlock(nullptr),
      m_cbDataRangesBlock(0), m_nPinType(0), m_nState(KSSTATE_STOP)
{
    memset(m_szName, 0, sizeof(m_szName));
    HRESULT hr = m_pFilter ? ReadDescription() : E_INVALIDARG;
    KS_EXIT_TRACE(kFile, hr);
    if (phr)
        *phr = hr;
}

CKsPin::~CKsPin()
{
    ClosePin();
    free(m_pksPinCreate);
    free(m_pDataRangesBlock);
    free(m_pMediumsBlock);
    free(m_pInterfacesBlock);
}

bool CKsPin::ReadPinProperty(ULONG id, void* out, ULONG outLen, const char* name)
{
    HRESULT hr = m_pFilter->GetPinProperty(m_nId, KSPROPSETID_Pin, id, out, outLen);
    if (FAILED(hr))
        KsTrace(3, "Failed to retrieve pin property %s on PinID: %d", name, (int)m_nId);
    return SUCCEEDED(hr);
}

bool CKsPin::ReadIdentifiers(ULONG id, void** block, ULONG* count, KSIDENTIFIER** first, const char* name)
{
    ULONG size = 0;
    HRESULT hr = m_pFilter->GetPinPropertyMulti(m_nId, KSPROPSETID_Pin, id, block, &size);
    if (SUCCEEDED(hr) && KsIsValidMultipleItem(*block, size, sizeof(KSIDENTIFIER))) {
        *count = ((KSMULTIPLE_ITEM*)*block)->Count;
        *first = (KSIDENTIFIER*)((BYTE*)*block + sizeof(KSMULTIPLE_ITEM));
        return true;
    }
    free(*block);
    *block = nullptr;
    KsTrace(3, "Failed to retrieve pin property %s on PinID: %d", name, (int)m_nId);
    return false;
}

bool CKsPin::ReadDataRanges()
{
    ULONG size = 0;
    HRESULT hr =
        m_pFilter->GetPinPropertyMulti(m_nId, KSPROPSETID_Pin, KSPROPERTY_PIN_DATARANGES, &m_pDataRangesBlock, &size);
    if (SUCCEEDED(hr) && KsIsValidMultipleItem(m_pDataRangesBlock, size, sizeof(KSDATARANGE))) {
        const KSMULTIPLE_ITEM* header = (const KSMULTIPLE_ITEM*)m_pDataRangesBlock;
        m_nDataRanges = header->Count;
        m_pDataRanges = (KSDATARANGE*)((BYTE*)m_pDataRangesBlock + sizeof(KSMULTIPLE_ITEM));
        m_cbDataRangesBlock = header->Size;
        return true;
    }
    free(m_pDataRangesBlock);
    m_pDataRangesBlock = nullptr;
    KsTrace(3, "Failed to retrieve pin property KSPROPERTY_PIN_DATARANGES on PinID: %d", (int)m_nId);
    return false;
}

HRESULT CKsPin::ReadDescription()
{
    bool ok = true;
    ok &=
        ReadPinProperty(KSPROPERTY_PIN_COMMUNICATION, &m_nCommunication, sizeof(ULONG), "KSPROPERTY_PIN_COMMUNICATION");
    ok &= ReadIdentifiers(KSPROPERTY_PIN_INTERFACES, &m_pInterfacesBlock, &m_nInterfaces, &m_pInterfaces,
                          "KSPROPETY_PIN_INTERFACES");
    ok &= ReadIdentifiers(KSPROPERTY_PIN_MEDIUMS, &m_pMediumsBlock, &m_nMediums, &m_pMediums, "KSPROPERTY_PIN_MEDIUMS");
    ok &= ReadDataRanges();
    ok &= ReadPinProperty(KSPROPERTY_PIN_DATAFLOW, &m_nDataFlow, sizeof(ULONG), "KSPROPERTY_PIN_DATAFLOW");
    ok &= ReadPinProperty(KSPROPERTY_PIN_CINSTANCES, &m_cInstances, sizeof(m_cInstances), "KSPROPERTY_PIN_CINSTANCES");
    ok &= ReadPinProperty(KSPROPERTY_PIN_GLOBALCINSTANCES, &m_cGlobalInstances, sizeof(m_cGlobalInstances),
                          "KSPROPERTY_PIN_GLOBALCINSTANCES");
    ok &= ReadPinProperty(KSPROPERTY_PIN_CATEGORY, &m_guidCategory, sizeof(GUID), "KSPROPERTY_PIN_CATEGORY");
    ok &= ReadPinProperty(KSPROPERTY_PIN_NAME, m_szName, sizeof(m_szName) - 1, "KSPROPERTY_PIN_NAME");
    // The driver may fill every offered byte; keep the wide name terminated.
    m_szName[sizeof(m_szName) - 2] = 0;
    m_szName[sizeof(m_szName) - 1] = 0;
    return ok ? 0 : 1;
}

HRESULT CKsPin::Instantiate(BOOL fLooped)
{
    if (!m_pksPinCreate)
        return S_OK;
    KSPIN_CONNECT* connect = (KSPIN_CONNECT*)m_pksPinCreate;
    connect->Interface.Id = fLooped ? KSINTERFACE_STANDARD_LOOPED_STREAMING : KSINTERFACE_STANDARD_STREAMING;
    connect->PinToHandle = nullptr;
    HRESULT hr = LoadKsCreatePin();
    if (SUCCEEDED(hr))
        hr = CreatePinResult(g_ksUser.create(m_pFilter->GetHandle(), connect, GENERIC_READ | GENERIC_WRITE, &m_handle));
    if (FAILED(hr)) {
        m_handle = INVALID_HANDLE_VALUE;
        KsTrace(1, "Failed to instantiate pin. hr=0x%08x", (unsigned)hr);
    }
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

HRESULT CKsPin::SetState(KSSTATE state)
{
    ULONG value = state;
    HRESULT hr = SetProperty(KSPROPSETID_Connection, KSPROPERTY_CONNECTION_STATE, &value, sizeof(value), nullptr, 0);
    if (SUCCEEDED(hr))
        m_nState = state;
    else
        KsTrace(1, "Failed to Set Pin State");
    KS_EXIT_TRACE(kFile, hr);
    return hr;
}

void CKsPin::ClosePin()
{
    if (!IsValidHandle(m_handle))
        return;
    SetState(KSSTATE_STOP);
    SafeCloseHandle(m_handle);
}

HRESULT CKsPin::WriteData(KSSTREAM_HEADER* header, OVERLAPPED* overlapped)
{
    return StreamIo(m_handle, IOCTL_KS_WRITE_STREAM, header, overlapped,
                    "CKsPin::WriteData DeviceIoControl failed, error 0x%08x");
}

HRESULT CKsPin::ReadData(KSSTREAM_HEADER* header, OVERLAPPED* overlapped)
{
    return StreamIo(m_handle, IOCTL_KS_READ_STREAM, header, overlapped, "DeviceIoControl Failed!  Error=0x%08x");
}

HRESULT CKsPin::GetDataFlow(ULONG* dataFlow) const
{
    if (!dataFlow)
        return E_INVALIDARG;
    *dataFlow = m_nDataFlow;
    return S_OK;
}

HRESULT CKsPin::GetCommunication(ULONG* communication) const
{
    if (!communication)
        return E_INVALIDARG;
    *communication = m_nCommunication;
    return S_OK;
}
