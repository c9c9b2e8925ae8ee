#pragma once
#include "audio/AudioDeviceConfig.h"
#include "audio/AudioDriverSettings.h"
#include "audio/CAudioInterface.h"
#include <string>

class CAudioClient;

// The main window's audio objects: the streaming interface with the device
// choice it opens, a second interface that only lists interface types and
// devices for the I/O settings window, and the status text that tells the
// user how the last open went.
//
// Open always closes first, so no block arrives while the driver settings
// change. Whatever fails leaves its reason in the status text and the
// analysers idle; nothing is shown in a message box.
// GUI thread only; the client receives blocks on the driver's capture thread.
class CAudioSession {
public:
    static constexpr const char* kInputSection = "Input";
    static constexpr const char* kOpening = "Error!"; // kept after a successful open
    static constexpr const char* kInvalidInterface = "Invalid Interface Type";
    static constexpr const char* kDefaultStatus = "Select the desired audio device, and press OK to apply.";

    CAudioSession() = default;
    CAudioSession(const CAudioSession&) = delete;
    CAudioSession& operator=(const CAudioSession&) = delete;

    // Loads section "Input" of iniPath and opens the interface it names, two
    // channels delivered planar to client. False with the reason in the status text.
    bool Open(const char* iniPath, CAudioClient* client);
    // Stops the capture and drops the driver; no client call follows.
    void Close();
    // When the driver stopped on a device error: its text into the status,
    // then Close; true. False while it runs or is closed.
    bool CloseIfFailed();

    void GetStatusText(std::string& out) const { out = m_status; }
    void SetDefaultStatusText() { m_status = kDefaultStatus; }
    // Null empties the text.
    void SetStatusText(const char* text) { m_status = text ? text : ""; }

    CAudioInterface* GetDeviceListInterface() { return &m_lister; }
    CAudioInterface& GetStreamingInterface() { return m_streaming; }
    const AudioDeviceConfig& GetDeviceConfig() const { return m_config; }
    const AudioDriverSettings& GetDriverSettings() const { return m_driverSettings; }

private:
    void FillDriverSettings();

    std::string m_status;
    CAudioInterface m_streaming;
    AudioDeviceConfig m_config;
    CAudioInterface m_lister; // never opened
    AudioDriverSettings m_driverSettings;
};
