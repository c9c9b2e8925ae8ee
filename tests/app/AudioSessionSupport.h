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
        return end == AudioOpenEvent::Opened || end == AudioOpenEvent::Failed || !session.IsOpening();
    });
    return end == AudioOpenEvent::Opened ? AudioOpenProgress::Opened : AudioOpenProgress::Failed;
}
