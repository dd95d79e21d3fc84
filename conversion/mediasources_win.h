// The sources that come through the suite's decoder libraries: the frames of
// an MPEG clip (GYmpeg.dll), camera raw pictures (Qcrw.dll), and animated
// cursors written from frame icons (SaveANI of GYdib.dll). The libraries are
// loaded when needed; without one, its sources are refused.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "conversion/imageowners.h"

// The frames of `clip` written as bitmaps into the temporary folder by
// GYmpeg ordinal 1 (names in sources.h), moving the progress bar of
// `progress`. 0 when the library is missing or finds no frame.
int ExtractClipFrames(const std::string &clip, HWND progress);

// The picture of a camera raw file: the Qcrw entry for its extension
// (RawDecoderEntry), then the block it returns decoded by the image library,
// as PNM when it begins with 'P', else as JPEG; the picture is named after
// the file. Null, with the reason in `e`, when there is none.
ImagePtr ReadRawPicture(const std::string &path, ExceptionInfo *e);

// Writes the animated cursor `path` from the frame icon files, in order,
// through SaveANI, which takes them from a list box 1398 of the window it is
// given (a hidden one here). `rate` in jiffies. True when the file exists
// afterwards.
bool WriteAnimatedCursor(const std::vector<std::string> &frames, const std::string &path, int rate,
                         const std::string &title, const std::string &author);
// The rate the animated cursors written without the builder get: the speed
// the builder's preview shows when none is typed.
const int kDirectAniRate = 5;
