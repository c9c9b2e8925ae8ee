#include "audio/CKsEngine.h"
#include "audio/CAudioSink.h"
#include "audio/KernelStreaming/audfilter.h"
#include "audio/KernelStreaming/enum.h"
#include "audio/KernelStreaming/ksplatform.h"
#include "audio/KsSettings.h"
#include "common/CFifo.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
// At most this long for queued render packets to play out at Stop, so that a stuck device cannot hang it.
const DWORD kPlayOutWaitMs = 1000;
} // namespace

CKsEngine::CKsEngine(bool input, const KsSettings* settings)
    : m_nState(StateClosed), m_nPackets(0), m_bStarted(0), m_bInput(input),
      m_nPacketBytes(KsSettings::DefaultPacketBytes), m_phEvents(nullptr), m_packets(), m_pEnumerator(nullptr),
      m_pRenderPin(nullptr), m_pCapturePin(nullptr), m_pPacketMemory(nullptr), m_nCurrent(-1), m_nNext(0),
      m_pSink(nullptr), m_bFailed(false), m_szError(), m_bClosing(0), m_pFifo(nullptr)
{
    int count = settings ? settings->outputBufferCount : int(KsSettings::DefaultPacketCount);
    int bytes = settings ? settings->outputBufferSize : int(KsSettings::DefaultPacketBytes);
    int fifoBytes = settings ? settings->inputBufferSize : int(KsSettings::DefaultFifoBytes);
    // The settings may ask for more packets than the engine has room for.
    m_nPackets = count < 0 ? 0 : (count > MaxPackets ? MaxPackets : count);
    m_phEvents = (HANDLE*)calloc(m_nPackets + 1, sizeof(HANDLE));
    if (!m_phEvents)
        m_nPackets = 0;
    AllocPackets(bytes);
    InitPackets();
    m_pFifo = new CFifo();
    m_pFifo->Open(fifoBytes, 0, CFifo::ModePrivate, 0);
    if (m_phEvents)
        m_phEvents[0] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    InitializeCriticalSection(&m_stopLock);
    EnumerateFilters();
    BuildKsDeviceList(&m_deviceList, m_pEnumerator);
    m_thread.SetPriority(THREAD_PRIORITY_TIME_CRITICAL);
}

CKsEngine::~CKsEngine()
{
    m_thread.RequestStop();
    Stop();
    m_bClosing = 1;
    if (m_phEvents && m_phEvents[0])
        SetEvent(m_phEvents[0]);
    m_thread.Stop();
    DeleteCriticalSection(&m_stopLock);
    for (int i = 0; m_phEvents && i <= m_nPackets; ++i) {
        if (m_phEvents[i])
            CloseHandle(m_phEvents[i]);
    }
    free(m_pPacketMemory);
    free(m_phEvents);
    delete m_pRenderPin;
    ReleaseEnumerator();
    ClearKsDeviceList(&m_deviceList);
    m_pFifo->Close();
    delete m_pFifo;
}

void CKsEngine::SetError(const char* text)
{
    lstrcpynA(m_szError, text, ErrorTextSize);
}

void CKsEngine::AllocPackets(int bytes)
{
    free(m_pPacketMemory);
    m_pPacketMemory = nullptr;
    if (bytes < 0 || bytes > INT_MAX / MaxPackets)
        bytes = 0;
    m_pPacketMemory = (BYTE*)calloc((size_t)m_nPackets * bytes + 1, 1);
    if (!m_pPacketMemory)
        m_nPackets = 0;
    m_nPacketBytes = bytes;
}

void CKsEngine::InitPackets()
{
    for (int i = 0; i < m_nPackets; ++i) {
        HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_phEvents[1 + i] = event;
        KsPacket& packet = m_packets[i];
        memset(&packet, 0, sizeof(packet));
        packet.header.Size = sizeof(KSSTREAM_HEADER);
        packet.header.PresentationTime.Numerator = 1;
        packet.header.PresentationTime.Denominator = 1;
        packet.header.Data = m_pPacketMemory + (size_t)i * m_nPacketBytes;
        packet.header.FrameExtent = m_nPacketBytes;
        packet.header.DataUsed = m_nPacketBytes;
        packet.overlapped.hEvent = event;
    }
}

void CKsEngine::SignalPackets()
{
    for (int i = 0; i < m_nPackets; ++i)
        SetEvent(m_packets[i].overlapped.hEvent);
}

CKsFilterEnum* CKsEngine::EnumerateFilters()
{
    if (m_pEnumerator)
        return m_pEnumerator;
    HRESULT hr = S_OK;
    m_pEnumerator = new (std::nothrow) CKsFilterEnum(&hr);
    if (!m_pEnumerator) {
        SetError("Couldn't enumerate KernelStreaming filters (0x80000022)");
        return nullptr;
    }
    if (FAILED(hr)) {
        SetError("Couldn't enumerate KernelStreaming filters (0x80000015)");
        return nullptr;
    }
    GUID classes[2] = {KSCATEGORY_AUDIO, m_bInput ? KSCATEGORY_CAPTURE : KSCATEGORY_RENDER};
    if (FAILED(m_pEnumerator->EnumFilters(m_bInput ? 2 : 1, classes, 2, TRUE, FALSE, TRUE))) {
        SetError("Couldn't enumerate KernelStreaming filters (0x80000045)");
        return nullptr;
    }
    return m_pEnumerator;
}

CKsFilter* CKsEngine::FindFilter(const char* name) const
{
    if (!m_pEnumerator || !name)
        return nullptr;
    for (auto* node = m_pEnumerator->m_listFilters.GetHead(); node && node->pData; node = node->pNext) {
        CKsFilter* filter = node->pData;
        if (_stricmp(name, filter->m_szDevicePath) == 0 || _stricmp(name, filter->m_szFriendlyName) == 0)
            return filter;
    }
    return nullptr;
}

void CKsEngine::ReleaseEnumerator()
{
    delete m_pEnumerator;
    m_pEnumerator = nullptr;
    m_pCapturePin = nullptr;
}

int CKsEngine::Open(const char* device, const WAVEFORMATEX* format)
{
    if (!device || !*device) {
        SetError(m_bInput ? "No KS input device selected!" : "No KS output device selected!");
        return 0;
    }
    SetError(m_bInput ? "Couldn't open KS input device" : "Couldn't open KS output device");
    if (m_nState != StateClosed || m_bStarted)
        return 0;
    return m_bInput ? OpenCapture(device, format) : OpenRender(device, format);
}

CKsFilter* CKsEngine::FindDeviceFilter(const char* device, const char* notFoundText)
{
    EnumerateFilters();
    CKsFilter* filter = FindFilter(device);
    if (!filter)
        SetError(notFoundText);
    return filter;
}

int CKsEngine::OpenCapture(const char* device, const WAVEFORMATEX* format)
{
    CKsFilter* filter = FindDeviceFilter(device, "Input device not found (0x80000049)");
    if (!filter)
        return 0;
    m_pCapturePin = static_cast<CKsAudCaptureFilter*>(filter)->CreateCapturePin(format, FALSE);
    if (!m_pCapturePin) {
        SetError("Failed to create input pin (0x8000001B)");
        return 0;
    }
    return StartStreaming(m_pCapturePin);
}

int CKsEngine::OpenRender(const char* device, const WAVEFORMATEX* format)
{
    CKsFilter* filter = FindDeviceFilter(device, "Output device not found (0x80000048)");
    if (!filter)
        return 0;
    m_pRenderPin = static_cast<CKsAudRenderFilter*>(filter)->CreateRenderPin(format, FALSE);
    if (!m_pRenderPin) {
        SetError("Failed to create output pin (0x8000001A).\n\nSound device busy?\n"
                 "Check Rate and Channels.");
        return 0;
    }
    return StartStreaming(m_pRenderPin);
}

int CKsEngine::StartStreaming(CKsAudPin* pin)
{
    // Every packet starts out completed and empty, so the thread queues each in turn.
    for (int i = 0; i < m_nPackets; ++i) {
        SetEvent(m_packets[i].overlapped.hEvent);
        m_packets[i].header.FrameExtent = 0;
        m_packets[i].header.DataUsed = 0;
    }
    if (!m_phEvents || !m_phEvents[0])
        return 0;
    ResetEvent(m_phEvents[0]);
    m_nCurrent = -1;
    m_nNext = 0;
    m_nState = StateStreaming;
    if (FAILED(pin->SetState(KSSTATE_PAUSE)) || FAILED(pin->SetState(KSSTATE_RUN)))
        return 0;
    m_bStarted = 1;
    m_pFifo->Reset();
    m_thread.SetRunnable(this);
    return m_thread.Start() == 0 ? 1 : 0;
}

bool CKsEngine::IsStreaming() const
{
    return m_thread.GetActiveCount() != 0 && m_bStarted;
}

void CKsEngine::Stop()
{
    if (IsEngineThread()) {
        m_thread.RequestStop();
        return;
    }
    EnterCriticalSection(&m_stopLock);
    if (m_nState == StateStreaming) {
        if (m_bInput)
            StopCapture();
        else
            StopRender();
    }
    LeaveCriticalSection(&m_stopLock);
}

void CKsEngine::EndThread()
{
    m_thread.RequestStop();
    SignalPackets();
    // Without packets only the wake event can end the thread's wait.
    SetEvent(m_phEvents[0]);
    m_thread.Stop();
}

void CKsEngine::HaltPin(CKsAudPin* pin)
{
    if (pin) {
        pin->SetState(KSSTATE_PAUSE);
        pin->SetState(KSSTATE_STOP);
    }
}

void CKsEngine::StopCapture()
{
    EndThread();
    HaltPin(m_pCapturePin);
    m_nState = StateStopping;
    SignalPackets();
    if (m_pCapturePin)
        m_pCapturePin->ClosePin();
    ReleaseEnumerator();
    m_nState = StateClosed;
    m_pFifo->Reset();
}

void CKsEngine::WaitForPackets()
{
    if (!m_bFailed && m_nPackets > 0)
        WaitForMultipleObjects(m_nPackets, m_phEvents + 1, TRUE, kPlayOutWaitMs);
}

void CKsEngine::StopRender()
{
    m_nState = StateStopping;
    WaitForPackets();
    EndThread();
    HaltPin(m_pRenderPin);
    WaitForPackets();
    if (m_pRenderPin)
        m_pRenderPin->ClosePin();
    delete m_pRenderPin;
    m_pRenderPin = nullptr;
    ReleaseEnumerator();
    m_nState = StateClosed;
}

void CKsEngine::Run(CThread* thread)
{
    while (thread->IsRunning()) {
        if (!TakeCompletedPacket(thread))
            return;
        if (m_nCurrent >= 0 && m_nState != StateStopping && !m_bClosing &&
            !(m_bInput ? HandleCapture() : HandleRender()))
            return;
    }
}

bool CKsEngine::TakeCompletedPacket(CThread* thread)
{
    DWORD r = KsPlatform()->WaitForMultipleObjects(m_nPackets + 1, m_phEvents, FALSE, INFINITE);
    if (!thread->IsRunning())
        return false;
    // Anything but one of our own events (a failed or abandoned wait) ends streaming.
    if (r > WAIT_OBJECT_0 + (DWORD)m_nPackets) {
        SetError("KS wait failed!\n");
        m_bFailed = true;
        return false;
    }
    if (r == WAIT_OBJECT_0) {
        ResetEvent(m_phEvents[0]);
    } else if (m_nCurrent < 0) {
        // The oldest queued packet goes first, so data keeps its order across the ring.
        bool nextDone = WaitForSingleObject(m_phEvents[1 + m_nNext], 0) == WAIT_OBJECT_0;
        m_nCurrent = nextDone ? m_nNext : (int)(r - WAIT_OBJECT_0 - 1);
        if (m_bInput)
            m_packets[m_nCurrent].header.DataUsed = 0;
    }
    return true;
}

void CKsEngine::FinishPacket()
{
    m_nNext = (m_nCurrent + 1) % m_nPackets;
    m_nCurrent = -1;
    if (m_pSink)
        m_pSink->OnPacketDone();
}

bool CKsEngine::HandleCapture()
{
    KsPacket& packet = m_packets[m_nCurrent];
    void* data = packet.header.Data;
    if (!m_pSink || !m_pSink->OnCaptured(this, data, m_nPacketBytes))
        m_pFifo->Put(data, m_nPacketBytes, false);
    packet.header.FrameExtent = m_nPacketBytes;
    packet.header.DataUsed = 0;
    ResetEvent(packet.overlapped.hEvent);
    if (FAILED(m_pCapturePin->ReadData(&packet.header, &packet.overlapped))) {
        SetError("KS read failed!\n");
        m_bFailed = true;
        return false;
    }
    FinishPacket();
    return true;
}

bool CKsEngine::HandleRender()
{
    KsPacket& packet = m_packets[m_nCurrent];
    void* data = packet.header.Data;
    if (!m_pSink || !m_pSink->OnRender(this, data, m_nPacketBytes)) {
        if (m_pFifo->GetUsed() < m_nPacketBytes)
            memset(data, 0, m_nPacketBytes);
        else
            m_pFifo->Get(data, m_nPacketBytes, false);
    }
    packet.header.DataUsed = m_nPacketBytes;
    packet.header.FrameExtent = m_nPacketBytes;
    ResetEvent(packet.overlapped.hEvent);
    if (!m_pRenderPin)
        return false;
    if (FAILED(m_pRenderPin->WriteData(&packet.header, &packet.overlapped))) {
        SetError("KS write failed!\n");
        m_bFailed = true;
        return false;
    }
    FinishPacket();
    return true;
}
