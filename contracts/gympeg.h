// GYmpeg.dll: the frames of an MPEG-1 or MPEG-2 clip (a program stream or a
// video elementary stream) as bitmap files in the temporary folder.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Ordinal 1. Decodes every frame of the clip at `path`, in display order,
// and writes frame i as a 24-bit bitmap under two names in the platform's
// temporary folder: "GY<base>_<i:04>.bmp" (base: the clip's file name without
// folder and extension) and "GY_<i:04>.bmp". While it works it moves the
// progress bar of `progress` (command 40 with the share of the clip read, 0
// to 100), when that is a window. Returns the number of frames written (at
// most kMpegMaxFrames), 0 when the file is not an MPEG clip, holds no frame,
// declares frames too large to decode, or a frame could not be written; after
// a failure no frame file of the call is left.
int WINAPI ExtractMpegFrames(const char *path, HWND progress);
typedef int(WINAPI *ExtractMpegFramesProc)(const char *path, HWND progress);

#ifdef __cplusplus
}
#endif

// The frame names count four digits: later frames are not extracted.
const int kMpegMaxFrames = 9999;
// Frames of more pixels than this are refused (a 32-bit process holds the
// decoder's pictures and one converted frame at once).
const unsigned kMpegMaxFramePixels = 4096u * 2304u;
