// GlypheryEdit.exe: one instance, the icon named on the command line, the
// settings, then the frame and its message loop.
#include <windows.h>
#include <commctrl.h>

#include "editor/frame.h"
#include "editor/startup_win.h"
#include "editor/views_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // A second editor ends here without a word; the handle lives as long as
    // the process.
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "GlypheryEdit");
    if (!mutex || GetLastError() != ERROR_SUCCESS) return 0;

    static EditorSession session;
    if (!PrepareSession(instance, commandLine, &session)) return 0;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    if (!RegisterFrameClass(instance, session)) return 0;
    if (!CreateFrame(instance, &session)) return 0;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (FormatBarMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
