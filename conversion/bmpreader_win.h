// The main program's reader of Windows 3 bitmap files: a packed DIB in one
// block of global memory, every failure reported in a message box.
#pragma once
#include <windows.h>

// The block (caller frees it with GlobalFree), or null after the message,
// which is titled with the reading program's name (or, as the reader always
// did for some failures, the file's path).
HGLOBAL ReadBMPFile(const char *path, const char *program = "Glyphery");
