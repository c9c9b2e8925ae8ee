#include "app/CAudioSession.h"
#include "common/CTickSource.h"
#include "common/StringFormat.h"

namespace {
const int kChannels = 2; // whatever the configuration holds
const int kNoFifo = 0;
const int kPlanar = 0;
const bool kInput = true;
const uint32_t kMsPerSecond = 1000;

// Besides the default device, which is listed even where there is none.
bool ListsADevice(CAudioInterface& ai)
{
    const int count = ai.GetNumDevices(); // a DirectSound count enumerates anew
    for (int i = 0; i < count; ++i) {
        AudioDeviceEntry entry;
        entry.deviceNumber = -1; // the default entry leaves it
        ai.GetDeviceName(&entry, i);
        if (entry.deviceNumber >= 0)
            return true;
    }
    return false;
}

AudioOpenEvent EventOf(AudioOpenProgress progress)
{
    if (progress == AudioOpenProgress::Opened)
        return AudioOpenEvent::Opened;
    return progress == AudioOpenProgress::Failed ? AudioOpenEvent::Failed : AudioOpenEvent::None;
}
} // namespace

CAudioSession::CAudioSession(CTickSource* ticks)
    : m_ticks(ticks ? ticks : CTickSource::System()), m_jobReturned(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_job(DeviceJob::Close), m_openType(AudioTypeNone), m_client(nullptr), m_openResult(AudioOpenFailed),
      m_closeHeldMs(0), m_openHeldMs(0), m_deviceListed(true), m_openStart(0), m_busy(false), m_noAnswerTold(false),
      m_captureDown(false), m_closeWanted(false), m_reopenWanted(false), m_reopenClient(nullptr)
{}

CAudioSession::~CAudioSession()
{
    Close(JobWait::Wait);
    if (m_jobReturned)
        CloseHandle(m_jobReturned);
}

void CAudioSession::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

void CAudioSession::Close(JobWait wait)
{
    m_reopenWanted = false;
    m_captureDown = false;
    if (m_busy && !JobReturned()) {
        if (wait == JobWait::Leave) {
            m_closeWanted = m_job == DeviceJob::Open;
            return;
        }
        WaitForSingleObject(m_jobReturned, INFINITE);
    }
    if (m_busy)
        TakeJobEnd();
    if (m_streaming.GetDriverType() != AudioTypeNone &&
        RunJob(DeviceJob::Close, wait == JobWait::Wait ? INFINITE : kJobGraceMs))
        TakeJobEnd();
}

bool CAudioSession::CloseIfFailed()
{
    if (m_busy || !m_streaming.HasFailed())
        return false;
    m_status = m_streaming.GetErrorText();
    CloseAsFailed();
    return true;
}

// A device that stopped answering may hold its close for a minute; nothing captures until an open succeeds.
void CAudioSession::CloseAsFailed()
{
    Close(JobWait::Leave);
    m_captureDown = true;
}

AudioOpenProgress CAudioSession::Open(const char* iniPath, CAudioClient* client)
{
    m_captureDown = true;
    if (m_busy && !JobReturned()) {
        // Each OK waits on its own: one pressed after the device was told as
        // not answering is told so again once it has waited as long.
        m_openStart = m_ticks->Now();
        m_noAnswerTold = false;
        m_reopenWanted = true;
        m_closeWanted = false;
        m_reopenIni = iniPath ? iniPath : "";
        m_reopenClient = client;
        m_status = kWaiting;
        return AudioOpenProgress::Waiting;
    }
    if (m_busy)
        TakeJobEnd();     // an end the tick has not taken yet: this open outdoes what was asked meanwhile
    m_captureDown = true; // the end taken may have opened
    m_status = kOpening;
    m_config.LoadInterface(iniPath, kInputSection);
    m_config.LoadInterfaceSettings(iniPath, kInputSection);
    const int type = CAudioInterface::InterfaceTypeFromName(kInput, m_config.interfaceName.c_str());
    if (type == AudioTypeNone) {
        CloseAsFailed();
        m_status = kInvalidInterface;
        return AudioOpenProgress::Failed;
    }
    FillDriverSettings();
    m_openType = type;
    m_client = client;
    m_openStart = m_ticks->Now();
    m_noAnswerTold = false;
    if (RunJob(DeviceJob::Open, kJobGraceMs))
        return TakeJobEnd() == AudioOpenEvent::Opened ? AudioOpenProgress::Opened : AudioOpenProgress::Failed;
    m_status = kWaiting; // the settings window may show it
    return AudioOpenProgress::Waiting;
}

AudioOpenEvent CAudioSession::Poll()
{
    if (!m_busy)
        return AudioOpenEvent::None;
    if (JobReturned())
        return Collect();
    const bool openAsked = m_job == DeviceJob::Open || m_reopenWanted;
    if (!openAsked || m_noAnswerTold || m_ticks->Now() - m_openStart < kAnswerLimitMs) // unsigned: safe across the wrap
        return AudioOpenEvent::None;
    m_noAnswerTold = true;
    m_status = kNoAnswer;
    return AudioOpenEvent::NoAnswer;
}

// The worker's body: the calls that may wait on the device.
void CAudioSession::Run(CThread*)
{
    const uint32_t closeStart = m_ticks->Now();
    m_streaming.DestroyDriver(); // closes it first
    m_closeHeldMs = m_ticks->Now() - closeStart;
    m_openHeldMs = 0;
    if (m_job == DeviceJob::Open && !CloseGivenUp()) {
        m_streaming.SetClient(m_client);
        m_streaming.CreateDriver(kInput, m_openType);
        const uint32_t openStart = m_ticks->Now();
        m_openResult = m_streaming.Open(&m_driverSettings);
        m_openHeldMs = m_ticks->Now() - openStart;
        m_deviceListed = m_openResult == AudioOpenOk || ListsADevice(m_streaming);
    }
    SetEvent(m_jobReturned);
}

// True when the job returned within waitMs; its end is then still to be taken.
bool CAudioSession::RunJob(DeviceJob job, DWORD waitMs)
{
    ResetEvent(m_jobReturned);
    m_job = job;
    m_busy = true;
    m_worker.SetRunnable(this);
    if (m_worker.Start() != 0)
        Run(&m_worker); // no thread to be had: done here, as it must be
    return WaitForSingleObject(m_jobReturned, waitMs) == WAIT_OBJECT_0;
}

bool CAudioSession::JobReturned() const
{
    return WaitForSingleObject(m_jobReturned, 0) == WAIT_OBJECT_0;
}

// Only once the worker's job has returned; whatever was asked meanwhile is
// the caller's to take first. The status tells a failed open.
AudioOpenEvent CAudioSession::TakeJobEnd()
{
    m_worker.Stop(); // its body has returned: only the thread's own end remains
    m_busy = false;
    m_closeWanted = false;
    m_reopenWanted = false;
    if (m_job == DeviceJob::Close)
        return AudioOpenEvent::None;
    if (CloseGivenUp())
        return RefuseOpenAfterHeldClose();
    m_captureDown = m_openResult != AudioOpenOk;
    if (!m_captureDown)
        return AudioOpenEvent::Opened;
    TellFailedOpen();
    return AudioOpenEvent::Failed;
}

void CAudioSession::TellFailedOpen()
{
    // An OK pressed meanwhile restarted the wait: the open's own hold tells how long the device was silent.
    const uint32_t took = OpenGivenUp() ? m_openHeldMs : m_ticks->Now() - m_openStart;
    if (took >= kAnswerLimitMs)
        FormatString(m_status, kLateFailure, unsigned(took / kMsPerSecond), m_streaming.GetErrorText());
    else
        m_status = m_streaming.GetErrorText();
    if (!m_deviceListed)
        m_status.append("\n").append(kNoDeviceListed);
    else if (OpenGivenUp())
        m_status.append("\n").append(kPressOk);
}

// The end of a job that waited: an open is dropped when closed meanwhile;
// an open asked for meanwhile follows.
AudioOpenEvent CAudioSession::Collect()
{
    const bool closeWanted = m_closeWanted, reopenWanted = m_reopenWanted;
    AudioOpenEvent event = TakeJobEnd();
    if (closeWanted) {
        Close(JobWait::Leave);
        return AudioOpenEvent::None;
    }
    if (reopenWanted && !OpenGivenUp())
        event = CloseGivenUp() ? RefuseOpenAfterHeldClose() : EventOf(Open(m_reopenIni.c_str(), m_reopenClient));
    if (event == AudioOpenEvent::Opened)
        m_status = kDefaultStatus; // the settings window may be showing why it waited
    return event;
}

AudioOpenEvent CAudioSession::RefuseOpenAfterHeldClose()
{
    FormatString(m_status, kCloseHeld, unsigned(m_closeHeldMs / kMsPerSecond), kPressOk);
    return AudioOpenEvent::Failed;
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
