// The main program's reader of Windows 3 bitmap files: a packed DIB in one
// block of global memory, every failure reported in a message box.
#pragma once
#include <windows.h>

// The block (caller frees it with GlobalFree), or null after the message.
HGLOBAL ReadBMPFile(const char *path);
