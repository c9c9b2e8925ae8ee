#pragma once
#include "AudioTestSupport.h"
#include "app/CAudioSession.h"

// Opens and waits for the session to tell how the open ended, however long the device takes; *waited
// tells whether it outlasted the grace (a waited open leaves another status text).
inline AudioOpenProgress OpenToTheEnd(CAudioSession& session, const char* iniPath, CAudioClient* client,
                                      bool* waited = nullptr)
{
    const AudioOpenProgress progress = session.Open(iniPath, client);
    if (waited)
        *waited = progress == AudioOpenProgress::Waiting;
    if (progress != AudioOpenProgress::Waiting)
        return progress;
    AudioOpenEvent end = AudioOpenEvent::None;
    WaitUntil([&] {
        end = session.Poll();
        return end == AudioOpenEvent::Opened || end == AudioOpenEvent::Failed || !session.IsDeviceJobRunning();
    });
    return end == AudioOpenEvent::Opened ? AudioOpenProgress::Opened : AudioOpenProgress::Failed;
}

// Closes as the window does, without waiting for the device, then waits for the close to end: it runs on
// the worker, which may still stop the capture when the grace is over.
inline void CloseToTheEnd(CAudioSession& session)
{
    session.Close(JobWait::Leave);
    WaitUntil([&] {
        session.Poll();
        return !session.IsDeviceJobRunning();
    });
}
