#include "gui/window/CTrayIcon.h"
#include "common/StringFormat.h"
#include <cstring>

// The oldest record the shell reads ends after a 64-character tip; the fields
// of later shells stay unused.
static const unsigned kTipCapacity = 64;

CTrayIcon::CTrayIcon() : m_added(0)
{
    std::memset(&m_data, 0, sizeof(m_data));
}

CTrayIcon::~CTrayIcon()
{
    Remove();
}

HICON CTrayIcon::Setup(HINSTANCE instance, HWND window, int iconResourceId, UINT id, UINT callbackMessage)
{
    m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_data.hWnd = window;
    m_data.uID = id;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconResourceId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    return m_data.hIcon;
}

BOOL CTrayIcon::SetTip(const char* text, TipAction action)
{
    SafeStrCopy(m_data.szTip, text, kTipCapacity);
    BOOL answer = Shell_NotifyIconA(action == TipAction::Modify ? NIM_MODIFY : NIM_ADD, &m_data);
    m_added = 1;
    return answer;
}

void CTrayIcon::Remove()
{
    if (!m_added)
        return;
    Shell_NotifyIconA(NIM_DELETE, &m_data);
    m_added = 0;
}
