#pragma once

class CThread;

// A thread body: Run is called once on the new thread and loops on the
// thread's Wait or IsRunning until a stop is requested.
class CRunnable {
public:
    virtual ~CRunnable() = default;
    virtual void Run(CThread* thread) = 0;
};
