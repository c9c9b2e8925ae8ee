#include "app/CApplication.h"
#include <new>

namespace {
// Where the main window first opens when no placement was saved.
const int kFirstX = 200;
const int kFirstY = 200;
const int kFirstWidth = 800;
const int kFirstHeight = 400;
} // namespace

int CApplication::Create(HINSTANCE instance)
{
    m_mainWindow.SetInstance(instance);
    return m_mainWindow.Create(kFirstX, kFirstY, kFirstWidth, kFirstHeight);
}

bool InitInstance(HINSTANCE instance, int showCommand)
{
    CApplication* application = new (std::nothrow) CApplication;
    return application && application->Create(instance) != 0;
}
