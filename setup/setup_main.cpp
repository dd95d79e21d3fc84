// setup.exe: the install wizard.
#include <windows.h>
#include <commctrl.h>

#include "setup/wizard.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
    return RunInstallWizard(instance) ? 0 : 1;
}
