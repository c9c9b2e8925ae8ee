#pragma once
#include <windows.h>

// The maker's audio-routing driver, opened for the program's whole life: the
// handle is kept only to be closed. Nothing reads it, and the program runs the
// same when the driver is absent (the handle is then 0).
class CPipelineHandle {
public:
    CPipelineHandle();
    ~CPipelineHandle();
    CPipelineHandle(const CPipelineHandle&) = delete;
    CPipelineHandle& operator=(const CPipelineHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    // Closes the handle when one is open; later calls do nothing.
    void Close();

private:
    HANDLE m_handle;
};
