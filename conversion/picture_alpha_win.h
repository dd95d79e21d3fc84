// Pictures with transparency in the render step of a conversion: the colour
// reduction works on the colours that show, and each rendered bitmap carries
// the picture's alpha in the fourth byte of its 32-bit pixels (still a
// version 3 bitmap), from which the icon file library builds the mask.
// Pictures without transparency are rendered exactly as before.
#pragma once
#include "contracts/gygraph.h"

// True when the picture has an alpha channel that is not opaque everywhere.
bool HasTransparency(const Image *picture);

// Before a colour reduction: when the picture has transparency, sets a copy
// of it aside in *aside (the alpha to put back), gives every pixel less than
// half opaque the colour of the nearest pixel that is not, and makes the
// picture opaque, so that hidden colours take no part in the reduction.
// *aside stays null for a picture without transparency. False on failure.
bool SetAlphaAside(Image *picture, Image **aside, ExceptionInfo *e);
// After the reduction: the alpha set aside, back onto the reduced picture.
bool PutAlphaBack(Image *picture, const Image *aside);

// A picture with transparency keeps it under the white border that centres
// it (the border is laid beneath the picture, whose own pixels are copied
// over it instead of being composed onto it).
void KeepAlphaUnderBorder(Image *picture);

// Makes the next version 3 bitmap written with `info` carry the picture's
// alpha (32 bits per pixel) when it has transparency, else none.
void KeepAlphaInBitmap(ImageInfo *info, const Image *picture);
