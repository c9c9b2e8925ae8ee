#include "app/CAudioSession.h"
#include "common/CTickSource.h"
#include "common/StringFormat.h"

namespace {
const int kChannels = 2; // whatever the configuration holds
const int kNoFifo = 0;
const int kPlanar = 0;
const bool kInput = true;
const uint32_t kMsPerSecond = 1000;

AudioOpenEvent EventOf(AudioOpenProgress progress)
{
    if (progress == AudioOpenProgress::Opened)
        return AudioOpenEvent::Opened;
    return progress == AudioOpenProgress::Failed ? AudioOpenEvent::Failed : AudioOpenEvent::None;
}
} // namespace

CAudioSession::CAudioSession(CTickSource* ticks)
    : m_ticks(ticks ? ticks : CTickSource::System()), m_openReturned(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_openResult(AudioOpenFailed), m_openStart(0), m_opening(false), m_noAnswerTold(false), m_closeWanted(false),
      m_reopenWanted(false), m_reopenClient(nullptr)
{}

CAudioSession::~CAudioSession()
{
    Close(OpenWait::Wait);
    if (m_openReturned)
        CloseHandle(m_openReturned);
}

void CAudioSession::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

void CAudioSession::Close(OpenWait wait)
{
    if (m_opening) {
        if (wait == OpenWait::Leave && !OpenReturned()) {
            m_closeWanted = true;
            m_reopenWanted = false;
            return;
        }
        WaitForSingleObject(m_openReturned, INFINITE);
        TakeOpenResult();
    }
    m_closeWanted = false;
    m_streaming.Close();
    m_streaming.DestroyDriver();
}

bool CAudioSession::CloseIfFailed()
{
    if (m_opening || !m_streaming.HasFailed())
        return false;
    m_status = m_streaming.GetErrorText();
    Close();
    return true;
}

AudioOpenProgress CAudioSession::Open(const char* iniPath, CAudioClient* client)
{
    if (m_opening && !OpenReturned()) {
        m_reopenWanted = true;
        m_closeWanted = false;
        m_reopenIni = iniPath ? iniPath : "";
        m_reopenClient = client;
        m_status = kWaiting;
        return AudioOpenProgress::Waiting;
    }
    Close();
    m_status = kOpening;
    m_config.LoadInterface(iniPath, kInputSection);
    m_config.LoadInterfaceSettings(iniPath, kInputSection);
    const int type = CAudioInterface::InterfaceTypeFromName(kInput, m_config.interfaceName.c_str());
    if (type == AudioTypeNone) {
        m_status = kInvalidInterface;
        return AudioOpenProgress::Failed;
    }
    FillDriverSettings();
    m_streaming.SetClient(client);
    m_streaming.CreateDriver(kInput, type);
    StartOpening();
    if (WaitForSingleObject(m_openReturned, kOpenGraceMs) == WAIT_OBJECT_0)
        return TakeOpenResult();
    m_status = kWaiting; // the settings window may show it
    return AudioOpenProgress::Waiting;
}

AudioOpenEvent CAudioSession::Poll()
{
    if (!m_opening)
        return AudioOpenEvent::None;
    if (OpenReturned())
        return Collect();
    if (m_noAnswerTold || m_ticks->Now() - m_openStart < kAnswerLimitMs) // unsigned: safe across the wrap
        return AudioOpenEvent::None;
    m_noAnswerTold = true;
    m_status = kNoAnswer;
    return AudioOpenEvent::NoAnswer;
}

// The worker's body: the one call that may wait on the device.
void CAudioSession::Run(CThread*)
{
    m_openResult = m_streaming.Open(&m_driverSettings);
    SetEvent(m_openReturned);
}

void CAudioSession::StartOpening()
{
    ResetEvent(m_openReturned);
    m_opening = true;
    m_noAnswerTold = false;
    m_openStart = m_ticks->Now();
    m_opener.SetRunnable(this);
    if (m_opener.Start() != 0)
        Run(&m_opener); // no thread to be had: opened here, as it must be
}

bool CAudioSession::OpenReturned() const
{
    return WaitForSingleObject(m_openReturned, 0) == WAIT_OBJECT_0;
}

// Only once the worker's open has returned; the status tells a failure.
AudioOpenProgress CAudioSession::TakeOpenResult()
{
    m_opener.Stop(); // its body has returned: only the thread's own end remains
    m_opening = false;
    if (m_openResult == AudioOpenOk)
        return AudioOpenProgress::Opened;
    const uint32_t took = m_ticks->Now() - m_openStart;
    if (took >= kAnswerLimitMs)
        FormatString(m_status, kLateFailure, unsigned(took / kMsPerSecond), m_streaming.GetErrorText());
    else
        m_status = m_streaming.GetErrorText();
    return AudioOpenProgress::Failed;
}

// The end of an open that waited: dropped when closed meanwhile, replaced when
// opened again meanwhile.
AudioOpenEvent CAudioSession::Collect()
{
    AudioOpenEvent event = EventOf(TakeOpenResult());
    if (m_closeWanted) {
        Close();
        return AudioOpenEvent::None;
    }
    if (m_reopenWanted) {
        m_reopenWanted = false;
        event = EventOf(Open(m_reopenIni.c_str(), m_reopenClient));
    }
    if (event == AudioOpenEvent::Opened)
        m_status = kDefaultStatus; // the settings window may be showing why it waited
    return event;
}

// Only the fields the application chooses; the rest keep their constructed values.
void CAudioSession::FillDriverSettings()
{
    m_driverSettings.deviceName = m_config.deviceName;
    m_driverSettings.sampleRate = m_config.sampleRate;
    m_driverSettings.channels = kChannels;
    m_driverSettings.bufferFrames = m_config.bufferSize;
    m_driverSettings.bufferCount = m_config.bufferCount;
    m_driverSettings.fifoFrames = kNoFifo;
    m_driverSettings.interleaved = kPlanar;
}
