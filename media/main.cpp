// GlypheryMedia.exe: the video frame grabber the main program starts for a
// video source, with "<video path>|<folder>" as its command line.
#include <windows.h>
#include <commctrl.h>

#include "media/mediadlg_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // 1 tells whoever started the tool that it did not open.
    return RunMediaTool(instance, commandLine) == kToolNotOpened ? 1 : 0;
}
