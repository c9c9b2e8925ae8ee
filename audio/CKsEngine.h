#pragma once
#include "audio/CAudioDriver.h"
#include "audio/KernelStreaming/devlist.h"
#include "audio/KernelStreaming/ksdefs.h"
#include "common/CRunnable.h"
#include "common/CThread.h"

class CAudioSink;
class CFifo;
class CKsAudPin;
class CKsFilter;
class CKsFilterEnum;
struct KsSettings;

// One queued transfer: a stream header over a slice of the packet memory.
struct KsPacket {
    KSSTREAM_HEADER header;
    OVERLAPPED overlapped;
};

// Streams one direction of one Kernel Streaming audio filter: keeps a fixed set of
// packets queued on the pin from a time-critical thread and hands each completed
// packet to its sink (or to a private FIFO when the sink declines it).
//
// Threads: construction, Open and Stop run on the owner's thread; the engine's
// thread waits on its wake event and one event per packet and calls the sink on
// that thread.
// Buffers: the packets are slices of one block allocated at construction and
// freed by the destructor. A queued packet belongs to the pin until its event
// is set, then to the thread until it is queued again; the sink may use the
// packet's bytes only inside its call.
// Stop order: capture ends the thread, halts the pin (pause, then stop), closes
// it and empties the FIFO; render first lets the queued packets play out (up to
// a second), then ends the thread, halts the pin, waits again and closes it.
// Overrun: captured packets the sink declines go to the FIFO, which drops what
// does not fit; a render packet the FIFO cannot fill goes out as silence.
// Failure: a failed wait, read or write ends the thread and sets HasFailed; the
// engine still counts as started, so Stop and the destructor release the pin.
class CKsEngine : public CRunnable {
public:
    // The settings window's largest buffer count; the wake event and one event per packet go to one wait.
    enum { MaxPackets = 16, ErrorTextSize = AudioErrorTextSize };
    static_assert(1 + MaxPackets <= MAXIMUM_WAIT_OBJECTS, "one wait takes every event");
    enum { StateClosed = 0, StateStreaming = 1, StateStopping = 2 };

    CKsEngine(bool input, const KsSettings* settings);
    ~CKsEngine() override;
    CKsEngine(const CKsEngine&) = delete;
    CKsEngine& operator=(const CKsEngine&) = delete;

    void SetSink(CAudioSink* sink) { m_pSink = sink; }
    // 1 when the pin runs and the thread has started; 0 with the reason in the error text.
    int Open(const char* device, const WAVEFORMATEX* format);
    // On the engine's own thread only asks the thread to end once the current packet is done.
    void Stop();
    bool IsEngineThread() const { return m_thread.IsCurrentThread(); }
    bool IsStreaming() const;
    bool HasFailed() const { return m_bFailed; }
    const char* GetErrorText() const { return m_szError; }
    void Run(CThread* thread) override;

    const KsDeviceList& GetDeviceList() const { return m_deviceList; }
    int GetPacketCount() const { return m_nPackets; }
    CFifo* GetFifo() const { return m_pFifo; }

private:
    void AllocPackets(int bytes);
    void InitPackets();
    void SignalPackets();
    CKsFilterEnum* EnumerateFilters();
    CKsFilter* FindFilter(const char* name) const;
    CKsFilter* FindDeviceFilter(const char* device, const char* notFoundText);
    int OpenCapture(const char* device, const WAVEFORMATEX* format);
    int OpenRender(const char* device, const WAVEFORMATEX* format);
    int StartStreaming(CKsAudPin* pin);
    void EndThread();
    static void HaltPin(CKsAudPin* pin);
    void StopCapture();
    void StopRender();
    void WaitForPackets();
    void ReleaseEnumerator();
    bool TakeCompletedPacket(CThread* thread);
    bool HandleCapture();
    bool HandleRender();
    void FinishPacket();
    void SetError(const char* text);

    volatile LONG m_nState;
    int m_nPackets;
    volatile LONG m_bStarted;
    bool m_bInput;
    int m_nPacketBytes;
    HANDLE* m_phEvents;
    KsPacket m_packets[MaxPackets];
    CKsFilterEnum* m_pEnumerator;
    CKsAudPin* m_pRenderPin;
    CKsAudPin* m_pCapturePin;
    BYTE* m_pPacketMemory;
    int m_nCurrent;
    int m_nNext;
    CRITICAL_SECTION m_stopLock;
    CThread m_thread;
    CAudioSink* m_pSink;
    volatile bool m_bFailed;
    char m_szError[ErrorTextSize];
    volatile LONG m_bClosing;
    CFifo* m_pFifo;
    KsDeviceList m_deviceList;
};
