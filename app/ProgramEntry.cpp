#include "app/ProgramEntry.h"
#include "app/AppResources.h"

int RunProgram(HINSTANCE instance, int showCommand, InstanceStart start)
{
    if (!start || !start(instance, showCommand))
        return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_QUILLMERE));
    return RunMessageLoop(accelerators);
}

int RunMessageLoop(HACCEL accelerators)
{
    MSG message = {};
    // GetMessage answers -1 when it fails: that ends the loop too, rather than spinning on it.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return int(message.wParam);
}
