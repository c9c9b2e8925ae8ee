#pragma once
#include <string>

class CAudioInterface;
struct AnalyserSettings;

// What the secondary windows (the I/O settings window, the about window) may
// ask of the application; the main window answers. Every operation runs on
// the GUI thread.
class CAppController {
public:
    // True when the streaming interface opened; otherwise the status text says
    // why, or the open goes on (IsAudioJobRunning) and its end comes later.
    virtual bool OpenAudioInterface() = 0;
    // While an open or a close goes on, the device layer itself may not answer: ask it nothing.
    virtual bool IsAudioJobRunning() = 0;
    virtual void GetStatusText(std::string& out) = 0;
    virtual void SetDefaultStatusText() = 0;
    virtual void SetStatusText(const char* text) = 0;
    virtual void OpenWebSite() = 0;
    // The loudness reference level in dB.
    virtual double GetItuRefLevel() = 0;
    // The interface that only lists interface types and devices; it is never opened.
    virtual CAudioInterface* GetDeviceListInterface() = 0;
    // The record itself: callers change fields in place, then call ApplySettings.
    virtual AnalyserSettings* GetSettings() = 0;
    // Re-configures what changed since the last call.
    virtual void ApplySettings() = 0;

protected:
    ~CAppController() = default;
};
