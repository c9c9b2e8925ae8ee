#include "app/CMainWindow.h"

bool CMainWindow::OpenAudioInterface()
{
    return m_audio.Open(m_iniPath, this);
}

void CMainWindow::GetStatusText(std::string& out)
{
    m_audio.GetStatusText(out);
}

void CMainWindow::SetDefaultStatusText()
{
    m_audio.SetDefaultStatusText();
}

void CMainWindow::SetStatusText(const char* text)
{
    m_audio.SetStatusText(text);
}

CAudioInterface* CMainWindow::GetDeviceListInterface()
{
    return m_audio.GetDeviceListInterface();
}

void CMainWindow::OnInputPlanar(CAudioInterface*, int32_t** channels, int frames)
{
    m_input.Process(channels, frames);
}
