// Qcrw.dll: camera raw pictures decoded into an image file held in memory
// (a binary PNM: "P6" for colour, "P5" for grey, 8 bits a sample).
//
// Every entry hands back a block (the "blob") through *blob and returns its
// length in bytes; 0 (and a null *blob) when the file cannot be read or is
// not a raw picture the decoder knows. The block comes from the process heap:
// the caller frees it with FreeRawBlob or HeapFree(GetProcessHeap(), 0, blob),
// whichever module it is in.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 1. A command-line style call: argv[0] is the caller's name, "-h"
// asks for half the size (each side halved, no demosaicing needed), and the
// last other argument is the raw file's path; argv[argc] is null.
LONG WINAPI DecodeRawPicture(int argc, const char *const *argv, BYTE **blob);
// Ordinals 2 and 3: the whole-size picture of a file by path (`reserved` 0).
LONG WINAPI DecodeWbzPicture(const char *path, int reserved, BYTE **blob);
LONG WINAPI DecodeWb1Picture(const char *path, int reserved, BYTE **blob);
// Frees a block one of the entries returned (null is ignored).
void WINAPI FreeRawBlob(BYTE *blob);

typedef LONG(WINAPI *DecodeRawPictureProc)(int argc, const char *const *argv, BYTE **blob);
typedef LONG(WINAPI *DecodeRawPathProc)(const char *path, int reserved, BYTE **blob);
typedef void(WINAPI *FreeRawBlobProc)(BYTE *blob);

#ifdef __cplusplus
}
#endif

// Pictures of more pixels than this are refused before they are decoded.
const unsigned kRawMaxPixels = 100u * 1000u * 1000u;
