#include "app/CMainWindow.h"

bool CMainWindow::OpenAudioInterface()
{
    const bool opened = m_audio.Open(m_iniPath, this) == AudioOpenProgress::Opened;
    FollowBlockSize();
    return opened;
}

void CMainWindow::FollowBlockSize()
{
    const AudioDriverSettings& driver = m_audio.GetDriverSettings();
    m_inputWatch.SetBlockSize(driver.bufferFrames, driver.sampleRate);
}

bool CMainWindow::IsAudioJobRunning()
{
    return m_audio.IsDeviceJobRunning();
}

// A device lost while capturing is closed and shown as a failed start is:
// the settings window in front with the driver's text, OK reopening it. So is
// an open that failed after the window went on, or that takes too long.
// Without blocks the views fall to their floor (the scopes to silence).
void CMainWindow::WatchInput()
{
    const AudioOpenEvent opening = m_audio.Poll();
    if (opening != AudioOpenEvent::None)
        FollowBlockSize(); // a newer choice may have been opened meanwhile
    if (opening == AudioOpenEvent::Opened) {
        m_settingsWindow.OnAudioOpened();
    } else if (MustShowFailure(opening)) {
        OpenSettingsWindow(true);
        m_settingsWindow.SetApplyPending(); // also when it was open already
    }
    m_inputState = m_inputWatch.Check();
    m_rtaPanel.SetInputState(m_inputState);
    m_meterPanel.SetInputState(m_inputState);
}

// A wait the user was shown and closed the window on stays unseen; its failure is shown once it fails.
bool CMainWindow::MustShowFailure(AudioOpenEvent opening)
{
    if (opening == AudioOpenEvent::NoAnswer)
        return !m_settingsWindow.IsClosedWhileAwaitingOpen();
    return opening == AudioOpenEvent::Failed || m_audio.CloseIfFailed();
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
    m_inputWatch.NoteBlock();
}
