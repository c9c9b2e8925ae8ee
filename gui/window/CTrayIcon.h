#pragma once
#include "gui/CObjectBase.h"
#include <windows.h>
#include <shellapi.h>

// One icon with a tip text in the shell's notification area.
//
// Setup fills the record and loads the icon; nothing shows until SetTip adds
// it (or modifies it once added). The object counts the icon as added after
// every SetTip, whatever the shell answered, so that Remove and the
// destructor always ask the shell to delete an icon that may be there.
// Clicks reach the window as the callback message, which that window handles.
// GUI thread only.
class CTrayIcon : public CObjectBase {
public:
    enum class TipAction { Add, Modify };

    CTrayIcon();
    ~CTrayIcon() override;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The small icon of that resource; null when it cannot be loaded (the
    // record then carries none).
    HICON Setup(HINSTANCE instance, HWND window, int iconResourceId, UINT id, UINT callbackMessage);
    // The shell's answer. A text longer than the record holds is cut.
    BOOL SetTip(const char* text, TipAction action);
    void Remove();

    const char* GetTip() const { return m_data.szTip; }

private:
    NOTIFYICONDATAA m_data;
    BYTE m_added;
};
