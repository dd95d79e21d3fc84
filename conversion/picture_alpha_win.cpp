#include "conversion/picture_alpha_win.h"

#include <vector>

namespace {

// Less than half opaque: the icon file library masks such pixels (an alpha
// below 128 of 255, which in the 16-bit quantum is below 32768).
bool Hidden(const PixelPacket &p) { return (unsigned)(QuantumRange - p.opacity) * 2u < (unsigned)QuantumRange + 1u; }

// Gives each hidden pixel of a row the colour of the nearest shown pixel of
// the row (the left one on a tie). False when no pixel of the row shows.
bool FillRow(PixelPacket *row, size_t width) {
    const size_t none = (size_t)-1;
    std::vector<size_t> left(width, none);
    size_t last = none;
    for (size_t x = 0; x < width; ++x) {
        if (!Hidden(row[x])) last = x;
        left[x] = last;
    }
    if (last == none) return false;
    size_t next = none;
    for (size_t x = width; x-- > 0;) {
        if (!Hidden(row[x])) {
            next = x;
            continue;
        }
        size_t from = left[x];
        if (from == none || (next != none && next - x < x - from)) from = next;
        row[x].red = row[from].red;
        row[x].green = row[from].green;
        row[x].blue = row[from].blue;
    }
    return true;
}

void CopyColours(PixelPacket *row, const std::vector<PixelPacket> &from) {
    for (size_t x = 0; x < from.size(); ++x) {
        row[x].red = from[x].red;
        row[x].green = from[x].green;
        row[x].blue = from[x].blue;
    }
}

// Every hidden pixel takes a shown colour: the nearest in its row, or, in a
// row where nothing shows, the colours of the nearest row above that has a
// shown pixel (below it for the rows above the first such row).
bool FillHiddenColours(Image *picture) {
    const size_t width = picture->columns, height = picture->rows;
    std::vector<PixelPacket> filled;  // the last row with a shown pixel, filled
    size_t leading = 0;               // rows above the first row with a shown pixel
    for (size_t y = 0; y < height; ++y) {
        PixelPacket *row = GetAuthenticPixels(picture, 0, (ssize_t)y, width, 1, &picture->exception);
        if (!row) return false;
        if (FillRow(row, width)) {
            filled.assign(row, row + width);
        } else if (filled.empty()) {
            ++leading;
            continue;
        } else {
            CopyColours(row, filled);
        }
        if (!SyncAuthenticPixels(picture, &picture->exception)) return false;
        if (leading && y == leading) {
            for (size_t above = 0; above < leading; ++above) {
                PixelPacket *top = GetAuthenticPixels(picture, 0, (ssize_t)above, width, 1, &picture->exception);
                if (!top) return false;
                CopyColours(top, filled);
                if (!SyncAuthenticPixels(picture, &picture->exception)) return false;
            }
        }
    }
    return true;
}

}  // namespace

bool HasTransparency(const Image *picture) {
    if (!picture || picture->matte == MagickFalse) return false;
    ExceptionInfo *e = AcquireExceptionInfo();
    bool any = false;
    for (size_t y = 0; y < picture->rows && !any; ++y) {
        const PixelPacket *row = GetVirtualPixels(picture, 0, (ssize_t)y, picture->columns, 1, e);
        if (!row) break;
        for (size_t x = 0; x < picture->columns && !any; ++x) any = row[x].opacity != OpaqueOpacity;
    }
    DestroyExceptionInfo(e);
    return any;
}

bool SetAlphaAside(Image *picture, Image **aside, ExceptionInfo *e) {
    *aside = nullptr;
    if (!HasTransparency(picture)) return true;
    *aside = CloneImage(picture, 0, 0, MagickTrue, e);
    if (!*aside) return false;
    // Colours are written pixel by pixel, not through a colour map.
    if (!SetImageStorageClass(picture, DirectClass) || !FillHiddenColours(picture)) return false;
    picture->matte = MagickFalse;
    return true;
}

bool PutAlphaBack(Image *picture, const Image *aside) {
    return CompositeImage(picture, CopyOpacityCompositeOp, aside, 0, 0) != MagickFalse;
}

void KeepAlphaUnderBorder(Image *picture) {
    if (HasTransparency(picture)) picture->compose = CopyCompositeOp;
}

void KeepAlphaInBitmap(ImageInfo *info, const Image *picture) {
    SetImageOption(info, "bmp3:alpha", HasTransparency(picture) ? "true" : "false");
}
