// GYdib.dll: helpers for packed DIBs (a BITMAPINFOHEADER, its colour table and
// the pixel rows in one block of movable global memory, passed by handle).
// The caller locks a DIB to reach its header and frees it with GlobalFree.
#pragma once
#include <windows.h>

#include "common/types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef HGLOBAL HDIB;

// A new DIB of the bitmap at its own depth (palette may be null).
HDIB WINAPI BitmapToDIB(HBITMAP bitmap, HPALETTE palette);
// A new DIB of the bitmap at bitCount, compression 0 (palette may be null).
HDIB WINAPI DIBFromBitmap(HBITMAP bitmap, DWORD compression, WORD bitCount, HPALETTE palette);
// Writes the DIB as a .bmp file at bitCount (0: the DIB's own). TRUE on success.
BOOL WINAPI WriteDIBEx(const char *path, HDIB dib, WORD bitCount, DWORD reserved);
// Writes the DIB as a .bmp file. TRUE on success.
BOOL WINAPI SaveDIB(HDIB dib, const char *path);
// Reads a .bmp file into a new DIB; null on failure.
HDIB WINAPI ReadBmpFile(const char *path);
// The first pixel byte, after the header and colour table.
LPSTR WINAPI FindDIBBits(LPSTR header);
// Colour-table size in bytes.
WORD WINAPI PaletteSize(LPSTR header);
// Number of colour-table entries.
WORD WINAPI DIBNumColors(LPSTR header);
// A palette holding the current system palette.
HPALETTE WINAPI GetSystemPalette(void);
// Fills an icon image record (image block, size and part pointers) from a DIB.
// The block comes from the process heap: free it with HeapFree(GetProcessHeap(), 0, block).
BOOL WINAPI DIBToIconImage(IconImageRecord *record, HDIB dib, BOOL reserved);
// A new DIB of the window's client area (area 2) or whole window (area 1).
HDIB WINAPI CopyWindowToDIB(HWND window, WORD area);
// Writes an animated cursor at path from the frame icon paths held, in order,
// by the list box 1398 of window. rate is in jiffies (1/60 s).
BOOL WINAPI SaveANI(HWND window, const char *path, int frames, int rate, const char *title, const char *author);

#ifdef __cplusplus
}
#endif
