// Glyphery.exe: one instance, the common controls, the settings, then the
// main window, whose modal loop runs until the program ends.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "shell/mainwindow.h"
#include "shell/settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Only one instance runs: a second one (or any failure to make the
    // mutex) ends here without a word. The handle lives as long as the process.
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Glyphery");
    if (!mutex || GetLastError() != ERROR_SUCCESS) return 0;

    INITCOMMONCONTROLSEX icc = {8, 0xFF};
    InitCommonControlsEx(&icc);
    CoInitialize(nullptr);

    static Settings settings;
    if (!LoadSettingsAtStartup(&settings)) return 1;
    RunMainWindow(instance, &settings);
    return 1;
}
