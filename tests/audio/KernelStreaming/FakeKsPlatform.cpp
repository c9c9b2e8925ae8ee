#include "tests/audio/KernelStreaming/FakeKsPlatform.h"
#include <cstddef>
#include <cstring>

namespace {
const LONG kStatusPending = 0x103;
const LONG kStatusBufferOverflow = (LONG)0x80000005;
const LONG kStatusBufferTooSmall = (LONG)0xC0000023;
const LONG kStatusCancelled = (LONG)0xC0000120;
const LONG kStatusUnsuccessful = (LONG)0xC0000001;
HMODULE const kKsUserModule = (HMODULE)0x7A000000;

CFakeKsPlatform* g_current = nullptr;

DWORD ErrorOf(LONG status)
{
    switch (status) {
    case kStatusBufferOverflow: return ERROR_MORE_DATA;
    case kStatusBufferTooSmall: return ERROR_INSUFFICIENT_BUFFER;
    case kStatusCancelled: return ERROR_OPERATION_ABORTED;
    default: return ERROR_GEN_FAILURE;
    }
}

template <class T>
std::vector<BYTE> Bytes(const T& value)
{
    return std::vector<BYTE>((const BYTE*)&value, (const BYTE*)&value + sizeof(T));
}

std::vector<BYTE> Identifiers(const std::vector<KSIDENTIFIER>& items)
{
    return FakeKs::MultipleItem((ULONG)items.size(), items.data(), items.size() * sizeof(KSIDENTIFIER));
}

bool HasClass(const FakeKsFilter& filter, const GUID& guid, DWORD* flags)
{
    for (const auto& entry : filter.classes) {
        if (IsEqualGUID(entry.first, guid)) {
            if (flags)
                *flags = entry.second;
            return true;
        }
    }
    return false;
}
} // namespace

CFakeKsPlatform::CFakeKsPlatform()
{
    m_previous = KsSetPlatform(this);
    g_current = this;
    m_worker = std::thread([this] { Worker(); });
}

CFakeKsPlatform::~CFakeKsPlatform()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_quit = true;
        for (auto& entry : m_handles)
            ::CloseHandle(entry.first);
    }
    m_wake.notify_all();
    m_worker.join();
    KsSetPlatform(m_previous);
    g_current = nullptr;
}

int CFakeKsPlatform::OpenHandleCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return (int)m_handles.size();
}

int CFakeKsPlatform::PendingReadCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    int count = 0;
    for (const Pending& pending : m_pending)
        count += pending.header ? 1 : 0;
    return count;
}

BOOL CFakeKsPlatform::Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

HANDLE CFakeKsPlatform::NewHandle(int filter, int pin)
{
    HANDLE token = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_handles[token] = Open{filter, pin, KSSTATE_STOP};
    return token;
}

HANDLE CFakeKsPlatform::CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                                    DWORD flags, HANDLE templateFile)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (size_t i = 0; path && i < filters.size(); ++i) {
        if (_stricmp(filters[i].path.c_str(), path) != 0)
            continue;
        if (filters[i].openFails || !(flags & FILE_FLAG_OVERLAPPED))
            break;
        return NewHandle((int)i, -1);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL CFakeKsPlatform::CloseHandle(HANDLE handle)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_handles.count(handle)) {
            CancelReads(handle);
            m_handles.erase(handle);
        }
    }
    return ::CloseHandle(handle);
}

DWORD WINAPI CFakeKsPlatform::CreatePin(HANDLE filterHandle, PKSPIN_CONNECT connect, ACCESS_MASK access,
                                        PHANDLE pinHandle)
{
    CFakeKsPlatform* self = g_current;
    if (!self || !connect || !pinHandle)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> lock(self->m_lock);
    auto it = self->m_handles.find(filterHandle);
    if (it == self->m_handles.end() || it->second.pin >= 0)
        return ERROR_INVALID_HANDLE;
    FakeKsFilter& filter = self->filters[it->second.filter];
    if (connect->PinId >= filter.pins.size())
        return ERROR_NOT_FOUND;
    FakeKsPin& pin = filter.pins[connect->PinId];
    if (pin.createResult)
        return pin.createResult;
    const KSDATAFORMAT* format = (const KSDATAFORMAT*)(connect + 1);
    if (format->FormatSize < sizeof(KSDATAFORMAT) + sizeof(WAVEFORMATEX))
        return ERROR_INVALID_PARAMETER;
    const WAVEFORMATEX* wfx = (const WAVEFORMATEX*)(format + 1);
    if (pin.accepts && !pin.accepts(wfx))
        return ERROR_NOT_SUPPORTED;
    const BYTE* bytes = (const BYTE*)connect;
    self->lastConnect.assign(bytes, bytes + sizeof(KSPIN_CONNECT) + format->FormatSize);
    *pinHandle = self->NewHandle(it->second.filter, (int)connect->PinId);
    return 0;
}

bool CFakeKsPlatform::PinAnswer(const FakeKsFilter& filter, ULONG pinId, ULONG id, std::vector<BYTE>* answer)
{
    if (id == KSPROPERTY_PIN_CTYPES) {
        *answer = Bytes(filter.claimedPinCount ? filter.claimedPinCount : (ULONG)filter.pins.size());
        return !filter.failPinCount;
    }
    if (pinId >= filter.pins.size())
        return false;
    const FakeKsPin& pin = filter.pins[pinId];
    if (pin.failingProperties.count(id))
        return false;
    for (const auto& raw : pin.rawAnswers) {
        if (raw.first == id) {
            *answer = raw.second;
            return true;
        }
    }
    std::vector<BYTE> ranges;
    switch (id) {
    case KSPROPERTY_PIN_COMMUNICATION: *answer = Bytes(pin.communication); return true;
    case KSPROPERTY_PIN_DATAFLOW: *answer = Bytes(pin.dataFlow); return true;
    case KSPROPERTY_PIN_CINSTANCES: *answer = Bytes(KSPIN_CINSTANCES{1, 0}); return true;
    case KSPROPERTY_PIN_GLOBALCINSTANCES: *answer = Bytes(KSPIN_CINSTANCES{4, 0}); return true;
    case KSPROPERTY_PIN_CATEGORY: *answer = Bytes(pin.category); return true;
    case KSPROPERTY_PIN_NAME:
        answer->assign((const BYTE*)pin.name.c_str(), (const BYTE*)(pin.name.c_str() + pin.name.size() + 1));
        return true;
    case KSPROPERTY_PIN_INTERFACES: *answer = Identifiers(pin.interfaces); return true;
    case KSPROPERTY_PIN_MEDIUMS: *answer = Identifiers(pin.mediums); return true;
    case KSPROPERTY_PIN_DATARANGES:
        for (const auto& range : pin.dataRanges)
            ranges.insert(ranges.end(), range.begin(), range.end());
        *answer = FakeKs::MultipleItem((ULONG)pin.dataRanges.size(), ranges);
        return true;
    default: return false;
    }
}

bool CFakeKsPlatform::FilterAnswer(const FakeKsFilter& filter, const KSPROPERTY* request, DWORD inLen,
                                   std::vector<BYTE>* answer)
{
    if (IsEqualGUID(request->Set, KSPROPSETID_Topology) && request->Id == KSPROPERTY_TOPOLOGY_NODES) {
        *answer =
            FakeKs::MultipleItem((ULONG)filter.nodes.size(), filter.nodes.data(), filter.nodes.size() * sizeof(GUID));
        return true;
    }
    if (IsEqualGUID(request->Set, KSPROPSETID_Pin) && inLen >= sizeof(KSP_PIN))
        return PinAnswer(filter, ((const KSP_PIN*)request)->PinId, request->Id, answer);
    return false;
}

BOOL CFakeKsPlatform::Answer(const std::vector<BYTE>& answer, void* out, DWORD outLen, DWORD* returned,
                             OVERLAPPED* overlapped, HANDLE handle, ULONG id)
{
    LONG status = 0;
    ULONG count = (ULONG)answer.size();
    if (outLen == 0 && !answer.empty()) {
        status = kStatusBufferOverflow;
    } else if (outLen < answer.size() || (!out && outLen)) {
        status = kStatusBufferTooSmall;
        count = 0;
    } else if (!answer.empty()) {
        memcpy(out, answer.data(), answer.size());
    }
    bool pendFail = pendThenFail.count(id) != 0;
    if (pendProperties || pendFail) {
        overlapped->Internal = kStatusPending;
        m_pending.push_back(
            Pending{handle, overlapped, nullptr, false, pendFail ? kStatusUnsuccessful : status, pendFail ? 0 : count});
        m_wake.notify_all();
        return Fail(ERROR_IO_PENDING);
    }
    if (returned)
        *returned = count;
    return status == 0 ? TRUE : Fail(ErrorOf(status));
}

BOOL CFakeKsPlatform::PinControl(HANDLE handle, Open& open, const KSPROPERTY* request, void* out, DWORD outLen)
{
    if (!IsEqualGUID(request->Set, KSPROPSETID_Connection) || request->Id != KSPROPERTY_CONNECTION_STATE ||
        !(request->Flags & KSPROPERTY_TYPE_SET) || !out || outLen < sizeof(ULONG))
        return Fail(ERROR_NOT_FOUND);
    ULONG state = *(const ULONG*)out;
    const FakeKsPin& pin = filters[open.filter].pins[open.pin];
    if (pin.refuseRun && state == KSSTATE_RUN)
        return Fail(ERROR_GEN_FAILURE);
    open.state = state;
    stateChanges.push_back(state);
    if (state == KSSTATE_STOP)
        CancelReads(handle);
    m_wake.notify_all();
    return TRUE;
}

BOOL CFakeKsPlatform::Stream(HANDLE handle, Open& open, bool write, void* out, DWORD outLen, OVERLAPPED* overlapped)
{
    if (open.pin < 0)
        return Fail(ERROR_INVALID_FUNCTION);
    if (failReadsAfter == 0)
        return Fail(ERROR_GEN_FAILURE);
    if (failReadsAfter > 0)
        --failReadsAfter;
    KSSTREAM_HEADER* header = (KSSTREAM_HEADER*)out;
    if (!header || outLen < sizeof(KSSTREAM_HEADER) || header->Size != outLen)
        return Fail(ERROR_INVALID_PARAMETER);
    overlapped->Internal = kStatusPending;
    m_pending.push_back(Pending{handle, overlapped, header, write, 0, 0});
    m_wake.notify_all();
    return Fail(ERROR_IO_PENDING);
}

BOOL CFakeKsPlatform::DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen,
                                      LPDWORD returned, LPOVERLAPPED overlapped)
{
    ++ioctlCalls;
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return Fail(ERROR_INVALID_HANDLE);
    if (!overlapped)
        return Fail(ERROR_INVALID_PARAMETER);
    Open& open = it->second;
    if (code == IOCTL_KS_READ_STREAM || code == IOCTL_KS_WRITE_STREAM)
        return Stream(handle, open, code == IOCTL_KS_WRITE_STREAM, out, outLen, overlapped);
    if (code != IOCTL_KS_PROPERTY)
        return Fail(ERROR_INVALID_FUNCTION);
    if (!in || inLen < sizeof(KSPROPERTY))
        return Fail(ERROR_INVALID_PARAMETER);
    const KSPROPERTY* request = (const KSPROPERTY*)in;
    if (open.pin >= 0)
        return PinControl(handle, open, request, out, outLen);
    std::vector<BYTE> answer;
    if (!FilterAnswer(filters[open.filter], request, inLen, &answer))
        return Fail(ERROR_NOT_FOUND);
    return Answer(answer, out, outLen, returned, overlapped, handle, request->Id);
}

BOOL CFakeKsPlatform::GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if ((LONG)overlapped->Internal == kStatusPending)
        return Fail(ERROR_IO_INCOMPLETE);
    *transferred = (DWORD)overlapped->InternalHigh;
    return overlapped->Internal == 0 ? TRUE : Fail(ErrorOf((LONG)overlapped->Internal));
}

DWORD CFakeKsPlatform::WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms)
{
    if (failWaitAfter >= 0 && failWaitAfter-- == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return ::WaitForMultipleObjects(count, handles, waitAll, ms);
}

void CFakeKsPlatform::Complete(Pending& pending)
{
    pending.overlapped->InternalHigh = pending.count;
    pending.overlapped->Internal = (ULONG_PTR)pending.status;
    SetEvent((HANDLE)((ULONG_PTR)pending.overlapped->hEvent & ~(ULONG_PTR)1));
}

void CFakeKsPlatform::Transfer(Pending& pending)
{
    KSSTREAM_HEADER* header = pending.header;
    pending.status = 0;
    pending.count = header->Size;
    --readBudget;
    ++readsCompleted;
    if (pending.write) {
        const short* played = (const short*)header->Data;
        written.insert(written.end(), played, played + header->DataUsed / sizeof(short));
        return;
    }
    ULONG bytes = header->FrameExtent;
    short* samples = (short*)header->Data;
    for (ULONG i = 0; i < bytes / sizeof(short); ++i)
        samples[i] = FakeKsSample(m_sampleCounter++);
    header->DataUsed = bytes;
}

void CFakeKsPlatform::CancelReads(HANDLE handle)
{
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->handle != handle) {
            ++it;
            continue;
        }
        it->status = kStatusCancelled;
        it->count = 0;
        Complete(*it);
        it = m_pending.erase(it);
    }
}

bool CFakeKsPlatform::Completable(const Pending& pending)
{
    if (!pending.header)
        return true;
    auto it = m_handles.find(pending.handle);
    return it != m_handles.end() && it->second.state == KSSTATE_RUN && readBudget > 0;
}

void CFakeKsPlatform::Worker()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_quit) {
        bool completed = false;
        for (auto it = m_pending.begin(); it != m_pending.end();) {
            if (!Completable(*it)) {
                ++it;
                continue;
            }
            if (it->header)
                Transfer(*it);
            Complete(*it);
            it = m_pending.erase(it);
            completed = true;
        }
        if (!completed)
            m_wake.wait(lock);
    }
}

HMODULE CFakeKsPlatform::LoadLibraryA(LPCSTR name)
{
    ++loadLibraryCalls;
    if (failLoadLibrary || !name || _stricmp(name, "ksuser.dll") != 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return kKsUserModule;
}

FARPROC CFakeKsPlatform::GetProcAddress(HMODULE module, LPCSTR name)
{
    if (module != kKsUserModule || !name || strcmp(name, "KsCreatePin") != 0)
        return nullptr;
    return (FARPROC)(void*)&CFakeKsPlatform::CreatePin;
}

BOOL CFakeKsPlatform::GetVersionExA(LPOSVERSIONINFOA info)
{
    if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA))
        return Fail(ERROR_INVALID_PARAMETER);
    info->dwMajorVersion = versionMajor;
    info->dwMinorVersion = 0;
    return TRUE;
}

void CFakeKsPlatform::OutputDebugStringA(LPCSTR text)
{
    std::lock_guard<std::mutex> lock(m_lock);
    traces.push_back(text ? text : "");
}

HDEVINFO CFakeKsPlatform::SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags)
{
    ++classDevsCalls;
    if (failClassDevs || !classGuid || flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
        return INVALID_HANDLE_VALUE;
    std::lock_guard<std::mutex> lock(m_lock);
    HDEVINFO set = (HDEVINFO)(m_nextKey++);
    m_sets[set] = *classGuid;
    return set;
}

BOOL CFakeKsPlatform::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* classGuid,
                                                  DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_sets.count(set) || !classGuid || !data || data->cbSize != sizeof(*data))
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD seen = 0;
    for (size_t i = 0; i < filters.size(); ++i) {
        if (!HasClass(filters[i], *classGuid, nullptr) || seen++ != index)
            continue;
        data->InterfaceClassGuid = *classGuid;
        data->Flags = SPINT_ACTIVE;
        data->Reserved = i + 1;
        return TRUE;
    }
    return Fail(ERROR_NO_MORE_ITEMS);
}

BOOL CFakeKsPlatform::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                       PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                                       PDWORD requiredSize, PSP_DEVINFO_DATA devInfo)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_sets.count(set) || !data || data->Reserved == 0 || data->Reserved > filters.size())
        return Fail(ERROR_INVALID_PARAMETER);
    if (!detail || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) ||
        (devInfo && devInfo->cbSize != sizeof(SP_DEVINFO_DATA)))
        return Fail(ERROR_INVALID_USER_BUFFER);
    const std::string& path = filters[data->Reserved - 1].path;
    DWORD needed = (DWORD)(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
    if (requiredSize)
        *requiredSize = needed;
    if (detailSize < needed)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    return TRUE;
}

HKEY CFakeKsPlatform::SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                                       REGSAM access)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_sets.count(set) || !data || data->Reserved == 0 || data->Reserved > filters.size())
        return (HKEY)INVALID_HANDLE_VALUE;
    HKEY key = (HKEY)(m_nextKey++);
    m_keys[key] = RegKey{(int)data->Reserved - 1, false};
    return key;
}

BOOL CFakeKsPlatform::SetupDiGetDeviceInterfaceAlias(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                     const GUID* aliasClass, PSP_DEVICE_INTERFACE_DATA alias)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_sets.count(set) || !data || !aliasClass || !alias || data->Reserved == 0 || data->Reserved > filters.size())
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD flags = 0;
    if (!HasClass(filters[data->Reserved - 1], *aliasClass, &flags))
        return Fail(ERROR_NO_SUCH_DEVICE_INTERFACE);
    alias->InterfaceClassGuid = *aliasClass;
    alias->Flags = flags;
    alias->Reserved = data->Reserved;
    return TRUE;
}

BOOL CFakeKsPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO set)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_sets.erase(set) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

LONG CFakeKsPlatform::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (size_t i = 0; key == HKEY_LOCAL_MACHINE && subKey && i < filters.size(); ++i) {
        if (filters[i].usbKey.empty() || _stricmp(filters[i].usbKey.c_str(), subKey) != 0)
            continue;
        *result = (HKEY)(m_nextKey++);
        m_keys[*result] = RegKey{(int)i, true};
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG CFakeKsPlatform::RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                       LPDWORD dataSize)
{
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_keys.find(key);
    if (it == m_keys.end() || !name || !dataSize)
        return ERROR_INVALID_HANDLE;
    const FakeKsFilter& filter = filters[it->second.filter];
    std::string text;
    DWORD valueType = REG_SZ;
    bool found = false;
    bool terminated = true;
    if (!it->second.usb && strcmp(name, "FriendlyName") == 0 && filter.hasFriendlyName) {
        text = filter.friendlyName;
        terminated = !filter.unterminatedName;
        found = true;
    }
    for (const auto& value : filter.usbValues) {
        if (it->second.usb && value.first == name) {
            valueType = value.second.first;
            text = value.second.second;
            found = true;
        }
    }
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    DWORD bytes = (DWORD)text.size() + (terminated ? 1 : 0);
    if (type)
        *type = valueType;
    if (data && *dataSize < bytes) {
        *dataSize = bytes;
        return ERROR_MORE_DATA;
    }
    if (data) {
        // Stands for whatever the buffer held before: only the value's bytes are written.
        memset(data, 'X', *dataSize);
        memcpy(data, text.c_str(), bytes);
    }
    *dataSize = bytes;
    return ERROR_SUCCESS;
}

LONG CFakeKsPlatform::RegCloseKey(HKEY key)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_keys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
