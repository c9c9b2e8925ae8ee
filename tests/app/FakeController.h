#pragma once
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "audio/CAudioInterface.h"
#include <string>

// Stands in for the main window: keeps the status text and the settings,
// counts the calls, and lists devices through a real listing interface.
struct FakeController : CAppController {
    FakeController() { LoadDefaults(&settings); }
    bool OpenAudioInterface() override
    {
        ++opens;
        if (!openWorks)
            status = failureText;
        return openWorks;
    }
    bool IsAudioJobRunning() override { return jobRunning; }
    void GetStatusText(std::string& out) override { out = status; }
    void SetDefaultStatusText() override
    {
        ++defaultStatus;
        status = "Ready";
    }
    void SetStatusText(const char* text) override { status = text; }
    void OpenWebSite() override { ++webSiteOpens; }
    double GetItuRefLevel() override { return ItuRefLevelOf(settings); }
    CAudioInterface* GetDeviceListInterface() override { return &listing; }
    AnalyserSettings* GetSettings() override { return &settings; }
    void ApplySettings() override { ++applies; }

    AnalyserSettings settings;
    CAudioInterface listing;
    std::string status;
    std::string failureText = "Invalid Interface Type";
    bool openWorks = true;
    bool jobRunning = false;
    int opens = 0, defaultStatus = 0, webSiteOpens = 0, applies = 0;
};
