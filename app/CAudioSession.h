#pragma once
#include "audio/AudioDeviceConfig.h"
#include "audio/AudioDriverSettings.h"
#include "audio/CAudioInterface.h"
#include "common/CRunnable.h"
#include "common/CThread.h"
#include <windows.h>
#include <cstdint>
#include <string>

class CAudioClient;
class CTickSource;

// How an Open ended for now: Waiting while the device has not answered yet.
enum class AudioOpenProgress { Opened, Failed, Waiting };
// What Poll found about an open that was waiting: its end, or that it takes too long.
enum class AudioOpenEvent { None, Opened, Failed, NoAnswer };
// Whether Close waits for the device: for a device job that has not returned yet, and for its own close.
enum class JobWait { Wait, Leave };

// The main window's audio objects: the streaming interface with the device
// choice it opens, a second interface that only lists interface types and
// devices for the I/O settings window, and the status text that tells the
// user how the last open went.
//
// Open always closes first, so no block arrives while the driver settings
// change. Whatever fails leaves its reason in the status text and the
// analysers idle; nothing is shown in a message box.
//
// A device can take many seconds to open or close (a sound server that
// accepts but never replies holds the first wave or DirectSound call for
// ~30 s; one stopped while capturing holds the close for ~60 s), so the
// driver is closed, made and opened on a worker thread that ends with that
// one job. Open and Close wait a moment for it, enough for any device that
// answers; otherwise the job goes on and Poll, called by the window's tick,
// tells its end. While it goes on the streaming interface is not touched (the
// worker holds it) and the device layer may not answer either, so the
// settings window lists no devices. A newer choice waits for the job; after
// a close, or a failed open, held so long that it may have been given up, it
// waits for an OK.
// GUI thread only, but for the worker; the client receives blocks on the
// driver's capture thread.
class CAudioSession : private CRunnable {
public:
    static constexpr const char* kInputSection = "Input";
    static constexpr const char* kOpening = "Error!"; // kept after a successful open made at once
    static constexpr const char* kInvalidInterface = "Invalid Interface Type";
    static constexpr const char* kDefaultStatus = "Select the desired audio device, and press OK to apply.";
    // While an open outlasts the grace, or waits for the close before it.
    static constexpr const char* kWaiting = "Waiting for the input device to answer";
    static constexpr const char* kNoAnswer = "ERROR - The input device does not answer; still waiting for it";
    static constexpr const char* kLateFailure = "ERROR - The input device did not answer for %u s\n%s";
    // Added to a failed open's text when the driver lists no device: none is connected, or the device
    // layer under Wine chose its sound system while the server did not answer and never lists a device
    // in that process.
    static constexpr const char* kNoDeviceListed =
        "No input device is listed: if one is connected, restart the program";
    // Ends the text of a job the device layer may have given up: nothing is opened until OK.
    static constexpr const char* kPressOk = "Press OK to open it again once it answers";
    static constexpr const char* kCloseHeld = "ERROR - The input device did not answer its close for %u s\n%s";
    // A job that has not returned by then leaves the caller to go on; a device that answers is far quicker.
    static const DWORD kJobGraceMs = 250;
    // An open that takes longer is told as a device that does not answer.
    static const uint32_t kAnswerLimitMs = 5000;
    // A close held as long may have been given up by the device layer: the server may not answer yet,
    // and would carry out an open asked meanwhile once it does, for a stream nobody holds. No open
    // follows it by itself. Wine gives up an open after 30 s and a close after about a minute (57 s
    // with either driver); a close the server answered ends as it answers.
    static const uint32_t kCloseGivenUpMs = 45000;
    // A failed open held this long may have been given up too: Wine gives one up after 30 s, and a
    // device that answers refuses at once.
    static const uint32_t kOpenGivenUpMs = 25000;

    explicit CAudioSession(CTickSource* ticks = nullptr);
    ~CAudioSession() override;
    CAudioSession(const CAudioSession&) = delete;
    CAudioSession& operator=(const CAudioSession&) = delete;

    // Loads section "Input" of iniPath and opens the interface it names, two
    // channels delivered planar to client, once what is open is closed. Failed
    // with the reason in the status text. Asked while a job goes on, the new
    // open follows it and outdoes any open asked before.
    AudioOpenProgress Open(const char* iniPath, CAudioClient* client);
    // Once per tick while a job goes on: the end of an open (the status text
    // says how) or, once, that an open asked for takes too long.
    AudioOpenEvent Poll();
    // A device job (an open or a close) goes on: the device layer may not answer, ask it nothing.
    bool IsDeviceJobRunning() const { return m_busy; }
    // Stops the capture and drops the driver, and drops an open asked for.
    // Wait: returns once done, no client call follows. Leave: a job that has
    // not returned, or a close the device does not answer at once, goes on;
    // the driver goes once the device answers.
    void Close(JobWait wait = JobWait::Wait);
    // When the driver stopped on a device error: its text into the status,
    // then Close without waiting for the device; true. False while it runs,
    // a job goes on or it is closed.
    bool CloseIfFailed();
    // An open was asked and nothing captures: it goes on or failed, or the device failed since.
    bool IsCaptureDown() const { return m_captureDown; }

    void GetStatusText(std::string& out) const { out = m_status; }
    void SetDefaultStatusText() { m_status = kDefaultStatus; }
    // Null empties the text.
    void SetStatusText(const char* text) { m_status = text ? text : ""; }

    CAudioInterface* GetDeviceListInterface() { return &m_lister; }
    CAudioInterface& GetStreamingInterface() { return m_streaming; }
    const AudioDeviceConfig& GetDeviceConfig() const { return m_config; }
    const AudioDriverSettings& GetDriverSettings() const { return m_driverSettings; }
    // Null: the system's tick count.
    void SetTickSource(CTickSource* ticks);

private:
    // What the worker does: close what is open, then for Open make and open the new driver.
    enum class DeviceJob { Close, Open };

    void Run(CThread* thread) override;
    void FillDriverSettings();
    bool RunJob(DeviceJob job, DWORD waitMs);
    bool JobReturned() const;
    AudioOpenEvent TakeJobEnd();
    AudioOpenEvent Collect();
    bool CloseGivenUp() const { return m_closeHeldMs >= kCloseGivenUpMs; }
    bool OpenGivenUp() const { return m_openResult != AudioOpenOk && m_openHeldMs >= kOpenGivenUpMs; }
    void CloseAsFailed();
    AudioOpenEvent RefuseOpenAfterHeldClose();
    void TellFailedOpen();

    std::string m_status;
    CAudioInterface m_streaming;
    AudioDeviceConfig m_config;
    CAudioInterface m_lister; // never opened
    AudioDriverSettings m_driverSettings;
    CTickSource* m_ticks;
    CThread m_worker;
    HANDLE m_jobReturned; // set by the worker once its job returned
    DeviceJob m_job;
    int m_openType;         // what the worker makes, read by it
    CAudioClient* m_client; // whom the worker's driver delivers to
    int m_openResult;       // written by the worker before it sets the event
    uint32_t m_closeHeldMs; // how long the job's close took; written as m_openResult
    uint32_t m_openHeldMs;  // how long the job's open took, 0 when it made none; written as m_openResult
    bool m_deviceListed;    // after a failed open: whether its driver lists a device; written as m_openResult
    uint32_t m_openStart;   // when the open waited for was asked
    bool m_busy;            // a job was started and its end not yet taken
    bool m_noAnswerTold;
    bool m_captureDown;
    bool m_closeWanted;  // closed while an open waits: dropped once it returns
    bool m_reopenWanted; // opened again while a job waits: opened once it returns
    std::string m_reopenIni;
    CAudioClient* m_reopenClient;
};
