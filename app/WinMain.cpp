#include "app/CApplication.h"
#include "app/ProgramEntry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return RunProgram(instance, showCommand, InitInstance);
}
