// The video tool's one window: dialog 102, which plays the media named on
// the command line and grabs the frame at the current position into the
// folder named there.
#pragma once
#include <windows.h>

enum MediaToolOutcome {
    kToolNotOpened = -1,  // refused command line, no DirectShow, media that cannot be rendered
    kToolClosed = 0,      // closed without a grab
    kToolGrabbed = 1,     // a frame was written
};
// Shows the dialog for the command line "<media path>|<folder>" and returns
// when it closes.
int RunMediaTool(HINSTANCE instance, const char *commandLine);
