// The icon file library's exports (Glyphery.dll; saveICON also in GYgraph.dll).
#pragma once
#include <windows.h>

#include "common/types.h"

#ifdef __cplusplus
extern "C" {
#endif

// Renders "<temp>\<base>_<size>_<bits>.bmp" for every format into one .ico or
// .cur file at outputPath (the extension decides which). Always returns 1.
int WINAPI saveICON(HWND owner, int transparent, COLORREF color, const char *reserved,
                    const char *outputPath, int count, const FormatEntry *formats);

// Writes an IconSet to path. Returns 0 on every path (nobody reads it).
int WINAPI WriteIconToICOFile(IconSet *set, const char *path);

#ifdef __cplusplus
}
#endif
