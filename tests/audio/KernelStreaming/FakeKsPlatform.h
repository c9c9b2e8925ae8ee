#pragma once
#include "audio/KernelStreaming/ksplatform.h"
#include "tests/audio/KernelStreaming/FakeKsDevice.h"
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A stand-in for the platform: answers the Kernel Streaming, SetupAPI and registry calls
// from FakeKsFilter descriptions, and completes streaming reads on a worker thread.
// Installs itself on construction and restores the real platform on destruction.
class CFakeKsPlatform : public CKsPlatform {
public:
    CFakeKsPlatform();
    ~CFakeKsPlatform() override;

    // Set up before the code under test runs.
    std::vector<FakeKsFilter> filters;
    bool pendProperties = false;  // property requests complete later, from the worker
    std::set<ULONG> pendThenFail; // property ids that pend and then fail
    bool failClassDevs = false;
    bool failLoadLibrary = false;
    DWORD versionMajor = 6;
    int readBudget = 1 << 30; // transfers completed before the rest stay pending
    int failReadsAfter = -1;  // transfers accepted before every further one fails
    int failWaitAfter = -1;   // stream waits answered before one fails

    // Observed.
    std::atomic<int> ioctlCalls{0};
    std::atomic<int> loadLibraryCalls{0};
    std::atomic<int> classDevsCalls{0};
    std::atomic<int> readsCompleted{0};
    std::vector<std::string> traces;
    std::vector<ULONG> stateChanges; // every state set on a pin, in order
    int OpenHandleCount();
    int PendingReadCount();
    std::vector<BYTE> lastConnect; // the connection request of the last pin created
    std::vector<short> written;    // samples the render pins played, in order

    static DWORD WINAPI CreatePin(HANDLE filter, PKSPIN_CONNECT connect, ACCESS_MASK access, PHANDLE pin);

    HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition, DWORD flags,
                       HANDLE templateFile) override;
    BOOL CloseHandle(HANDLE handle) override;
    BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen, LPDWORD returned,
                         LPOVERLAPPED overlapped) override;
    BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) override;
    DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) override;
    HMODULE LoadLibraryA(LPCSTR name) override;
    FARPROC GetProcAddress(HMODULE module, LPCSTR name) override;
    BOOL GetVersionExA(LPOSVERSIONINFOA info) override;
    void OutputDebugStringA(LPCSTR text) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA devInfo, const GUID* classGuid, DWORD index,
                                     PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                          PDWORD requiredSize, PSP_DEVINFO_DATA devInfo) override;
    HKEY SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                          REGSAM access) override;
    BOOL SetupDiGetDeviceInterfaceAlias(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, const GUID* aliasClass,
                                        PSP_DEVICE_INTERFACE_DATA alias) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;
    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;

private:
    struct Open {
        int filter;
        int pin; // -1 for a filter handle
        ULONG state;
    };
    struct Pending {
        HANDLE handle;
        OVERLAPPED* overlapped;
        KSSTREAM_HEADER* header; // null for a property request
        bool write;
        LONG status;
        ULONG count;
    };
    struct RegKey {
        int filter;
        bool usb;
    };

    BOOL Fail(DWORD error);
    BOOL Answer(const std::vector<BYTE>& answer, void* out, DWORD outLen, DWORD* returned, OVERLAPPED* overlapped,
                HANDLE handle, ULONG id);
    bool PinAnswer(const FakeKsFilter& filter, ULONG pinId, ULONG id, std::vector<BYTE>* answer);
    bool FilterAnswer(const FakeKsFilter& filter, const KSPROPERTY* request, DWORD inLen, std::vector<BYTE>* answer);
    BOOL PinControl(HANDLE handle, Open& open, const KSPROPERTY* request, void* out, DWORD outLen);
    BOOL Stream(HANDLE handle, Open& open, bool write, void* out, DWORD outLen, OVERLAPPED* overlapped);
    HANDLE NewHandle(int filter, int pin);
    void CancelReads(HANDLE handle);
    void Complete(Pending& pending);
    void Transfer(Pending& pending);
    bool Completable(const Pending& pending);
    void Worker();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::map<HANDLE, Open> m_handles;
    std::deque<Pending> m_pending;
    std::map<HKEY, RegKey> m_keys;
    std::map<HDEVINFO, GUID> m_sets;
    ULONG_PTR m_nextKey = 0x1000;
    long m_sampleCounter = 0;
    bool m_quit = false;
    std::thread m_worker;
    CKsPlatform* m_previous;
};

// The stream the stand-in's reads deliver: 16-bit sample n has the value n mod 32768.
inline short FakeKsSample(long n)
{
    return (short)(n & 0x7FFF);
}
