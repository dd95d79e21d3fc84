// GYgraph.dll: the image library (MagickCore and the mogrify entry points of
// MagickWand), plus the functions the suite's build adds to it.
#pragma once
#include <windows.h>

#include <magick/MagickCore.h>
#include <wand/MagickWand.h>

#include "common/types.h"

#ifdef __cplusplus
extern "C" {
#endif

// Read the picture the image info describes with the gradient or plasma
// generator ("red-blue" or "gradient:red-blue"; size from image_info->size).
Image *ReadGRADIENTImage(const ImageInfo *image_info, ExceptionInfo *exception);
Image *ReadPlasmaImage(const ImageInfo *image_info, ExceptionInfo *exception);

// The icon file library's saveICON, with the same seven arguments.
int WINAPI saveICON(HWND owner, int transparent, COLORREF color, const char *reserved, const char *outputPath,
                    int count, const FormatEntry *formats);

#ifdef __cplusplus
}
#endif
