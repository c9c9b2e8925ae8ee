#pragma once
#include "app/CMainWindow.h"
#include <windows.h>

// The application object: the main window and nothing else. It is made once
// and never deleted; the process ends by returning from the entry function
// after the main window's close has saved and stopped everything.
class CApplication {
public:
    CApplication() = default;
    virtual ~CApplication() = default;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Creates the main window at its first place; non-zero on success.
    int Create(HINSTANCE instance);

private:
    CMainWindow m_mainWindow;
};

// Makes the application object and its main window; false when either fails.
bool InitInstance(HINSTANCE instance, int showCommand);
