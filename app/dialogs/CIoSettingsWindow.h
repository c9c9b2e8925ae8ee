#pragma once
#include "audio/AudioDeviceConfig.h"
#include "gui/controls/CDropListControl.h"
#include "gui/controls/CPushButton.h"
#include "gui/controls/CStaticTextControl.h"
#include "gui/controls/CValueControl.h"
#include "gui/window/CTopLevelWindow.h"
#include <windows.h>
#include <string>

class CAppController;
struct AnalyserSettings;
struct ControlNotification;

// The I/O settings window: the audio input (interface, device, buffer size
// and count) and the five live analyser values that no menu holds.
//
// Two kinds of state, two rules:
// - The device choice is edited in the window's own AudioDeviceConfig and
//   takes effect only on OK: section "Input" is written and the controller
//   reopens audio; the window closes only when that worked. Picking another
//   interface writes the keys of the one being left at once.
// - The DC block and the four levels go straight into the controller's
//   settings record as the user changes them (the levels followed by
//   ApplySettings). Reports the controls make on their own change nothing.
//
// Every creation reloads the device choice from the .ini file and rebuilds
// every control; nothing is kept from an earlier showing but the pending
// flag and an OK's open that goes on. Opened because audio failed
// (applyPending), the window keeps the controller's status text, which says
// why, and OK reopens audio even with nothing changed; a pick's hint stands
// in for that text only while the window shows. While the controller's open
// goes on, the device list stays empty and is filled once it ends (the device
// layer may not answer meanwhile); an OK whose open goes on closes the window
// once it opened, unless the choice was changed or that window closed since
// (a window opened again stays). The controller must outlive the native
// window. GUI thread only.
class CIoSettingsWindow : public CTopLevelWindow {
public:
    static constexpr UINT_PTR kStatusTimer = 70;
    static constexpr UINT kStatusPeriodMs = 50;
    // Longer status texts wrap, as do texts with a line feed.
    static constexpr size_t kSingleLineLength = 40;

    // The .ini file beside the program.
    CIoSettingsWindow();
    explicit CIoSettingsWindow(const char* iniPath);

    void SetController(CAppController* controller) { m_controller = controller; }
    // Creates the window: 1, or 0 when the system refused it. An existing
    // window is only brought to the front (0; nothing else changes).
    int Open(bool applyPending);

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    int OnNotify(void* record) override;

    bool IsApplyPending() const { return m_applyPending; }
    // The device was lost while the window was open: OK reopens it even with
    // nothing changed.
    void SetApplyPending() { m_applyPending = true; }
    // The controller's open that went on has opened.
    void OnAudioOpened();
    bool IsAwaitingOpen() const { return m_okOpen == OkOpen::ClosesWindow; }
    // The user closed the window while an OK's open went on, whether it was opened again since or not:
    // its wait is not shown again.
    bool IsClosedWhileAwaitingOpen() const { return m_okOpen != OkOpen::None && !m_window.IsCreated(); }
    const AudioDeviceConfig& GetConfig() const { return m_config; }
    const char* GetIniPath() const { return m_iniPath; }
    CDropListControl& GetInterfaceList() { return m_interfaceList; }
    CDropListControl& GetDeviceList() { return m_deviceList; }
    CDropListControl& GetBufferSizeList() { return m_bufferSizeList; }
    CDropListControl& GetBufferCountList() { return m_bufferCountList; }
    CStaticTextControl& GetStatusText() { return m_statusText; }
    CPushButton& GetOkButton() { return m_okButton; }
    CPushButton& GetDcBlockButton() { return m_dcBlockButton; }
    CValueControl& GetInputGainControl() { return m_inputGainControl; }
    CValueControl& GetScopeLinesControl() { return m_scopeLinesControl; }
    CValueControl& GetItuReferenceControl() { return m_ituReferenceControl; }
    CValueControl& GetRtaTargetControl() { return m_rtaTargetControl; }

private:
    void OnCreated();
    void LoadInputSettings();
    void CreateControls();
    void CreateLabel(CStaticTextControl& label, int x, int width, const char* text);
    void CreateList(CDropListControl& list, int x, int width);
    void CreateValueControl(CValueControl& control, const RECT& place, const char* format, float minimum, float maximum,
                            int stepsPerUnit, float value);
    void FillInterfaceList();
    void FillDeviceList();
    void SelectCurrentValues();
    void KeepDefaultDevice();
    void RefreshStatus();
    void MarkApplyPending();
    void DropApplyHint();
    void OnClosed();
    void OnButton(const ControlNotification& n);
    void OnListPick(const ControlNotification& n);
    void OnValueReport(const ControlNotification& n);
    void PressOk();

    CAppController* m_controller;
    CDropListControl m_deviceList;
    CDropListControl m_bufferSizeList;
    CDropListControl m_bufferCountList;
    CDropListControl m_interfaceList;
    CStaticTextControl m_deviceLabel;
    CStaticTextControl m_bufferSizeLabel;
    CStaticTextControl m_bufferCountLabel;
    CStaticTextControl m_interfaceLabel;
    CStaticTextControl m_statusText;
    CPushButton m_okButton;
    CPushButton m_dcBlockButton;
    CValueControl m_inputGainControl;
    CValueControl m_ituReferenceControl;
    CValueControl m_rtaTargetControl;
    CValueControl m_scopeLinesControl;
    AudioDeviceConfig m_config;
    char m_iniPath[MAX_PATH];
    // An OK's open still going on: it closes the window once it opened, unless the choice changed or the
    // window closed since (then it keeps any window open).
    enum class OkOpen { None, ClosesWindow, KeepsWindow };

    bool m_applyPending;
    OkOpen m_okOpen;
    std::string m_hintReplaced; // the status text the apply hint stands in for
    bool m_devicesPending;      // the list is filled once the open ends
    AnalyserSettings* m_settings;
};
