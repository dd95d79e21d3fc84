// The animated cursor builder (dialog 297, "ANI"): shows the frame icons a
// conversion left in the temporary folder ("<temp>\GY0000.ico" ...), takes a
// name, title, author and speed, previews the animation and writes
// "<target folder>\<name>.ani" through SaveANI of GYdib.
#pragma once
#include <windows.h>

#include <cstdint>

struct AniBuilderRequest {
    int32_t frameCount;        // frame files GY0000.ico to GY<N-1>.ico
    int32_t frameSize;         // frame width and height in pixels (32)
    const char *sourcePath;    // the video the frames came from: the default name
    const char *targetFolder;  // where the .ani is written (the main window's target folder)
    const char *helpFile;      // the main help file
    char written[MAX_PATH];    // out: the .ani the dialog wrote ("" when it wrote none)
};

const UINT_PTR kAniPreviewTimer = 80;
const DWORD kAniHelpContext = 202;

// Runs the dialog modally from the template in instance. 1 after the file
// was written, 0 on Cancel, and 0 without opening when the frame files
// cannot be named (a temporary folder too long for their paths).
INT_PTR RunAniBuilder(HINSTANCE instance, HWND owner, AniBuilderRequest *request);
INT_PTR CALLBACK AniBuilderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The period in milliseconds of the preview timer last started (0 before).
UINT AniPreviewPeriod();
// The frame the next preview tick shows.
int AniPreviewPosition();

