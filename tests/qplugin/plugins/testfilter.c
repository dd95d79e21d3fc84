/* Filter plug-ins of our tests, one source built into several ".8bf" files:
 * TEST_FILTER 1 inverts the picture in bands of 16 rows through advanceState
 * and keeps a parameters handle; 2 is a box blur of radius BLUR_RADIUS that
 * asks for a border of that many pixels around each 8-row tile, replicated at
 * the picture's edges, and keeps its sums in a buffer of the host; 3 writes
 * into its tile and then reports an error. */
#include <windows.h>

#include "libs/qplugin/pifilter.h"

#define FILTER_INVERT 1
#define FILTER_BLUR 2
#define FILTER_FAIL 3

#ifndef BLUR_RADIUS
#define BLUR_RADIUS 1
#endif


#define PARAMETER_MAGIC 0x474C5950

static inline int Rows(const PIFilterRecord *r) { return r->filterRect.bottom - r->filterRect.top; }
static inline int Columns(const PIFilterRecord *r) { return r->filterRect.right - r->filterRect.left; }

static inline void AskRows(PIFilterRecord *r, int top, int rows, int border) {
    int bottom = top + rows > r->filterRect.bottom ? r->filterRect.bottom : top + rows;
    r->outRect.top = (int16_t)top;
    r->outRect.bottom = (int16_t)bottom;
    r->outRect.left = r->filterRect.left;
    r->outRect.right = r->filterRect.right;
    r->inRect.top = (int16_t)(top - border);
    r->inRect.bottom = (int16_t)(bottom + border);
    r->inRect.left = (int16_t)(r->filterRect.left - border);
    r->inRect.right = (int16_t)(r->filterRect.right + border);
    r->inLoPlane = r->outLoPlane = 0;
    r->inHiPlane = r->outHiPlane = 2;
}

static inline void AskNothing(PIFilterRecord *r) {
    static const PIRect none = {0, 0, 0, 0};
    r->inRect = r->outRect = none;
}

static void Parameters(PIFilterRecord *r, int16_t *result) {
#if TEST_FILTER == FILTER_INVERT
    r->parameters = r->handleProcs->newProc(sizeof(int32_t));
    if (!r->parameters) {
        *result = kPIMemFull;
        return;
    }
    *(int32_t *)r->handleProcs->lockProc(r->parameters, 0) = PARAMETER_MAGIC;
    r->handleProcs->unlockProc(r->parameters);
#endif
    (void)r;
    *result = kPINoErr;
}

#if TEST_FILTER == FILTER_INVERT
static void Invert(PIFilterRecord *r, int16_t *result) {
    int32_t *magic;
    int top, y, x;
    if (r->imageMode != kPIModeRGBColor) {
        *result = kPIFilterBadMode;
        return;
    }
    magic = (int32_t *)r->handleProcs->lockProc(r->parameters, 0);
    if (!magic || *magic != PARAMETER_MAGIC || r->handleProcs->getSizeProc(r->parameters) != sizeof(int32_t)) {
        *result = kPIFilterBadParameters;
        return;
    }
    r->handleProcs->unlockProc(r->parameters);
    for (top = r->filterRect.top; top < r->filterRect.bottom; top += 16) {
        unsigned char *in, *out;
        AskRows(r, top, 16, 0);
        if ((*result = r->advanceState()) != kPINoErr) return;
        in = (unsigned char *)r->inData;
        out = (unsigned char *)r->outData;
        for (y = 0; y < r->outRect.bottom - r->outRect.top; ++y)
            for (x = 0; x < Columns(r) * 3; ++x) out[y * r->outRowBytes + x] = (unsigned char)(255 - in[y * r->inRowBytes + x]);
        r->progressProc(r->outRect.bottom, Rows(r));
        if (r->abortProc()) {
            *result = kPIUserCanceled;
            return;
        }
    }
    AskNothing(r);
    r->handleProcs->disposeProc(r->parameters);
    r->parameters = NULL;
}
#endif

#if TEST_FILTER == FILTER_BLUR
/* One tile of the blur: each output pixel the mean of the (2R+1)^2 pixels
 * around it in the padded input, summed column-wise in a host buffer. */
static void BlurTile(PIFilterRecord *r, int16_t *result) {
    const int radius = BLUR_RADIUS, side = 2 * BLUR_RADIUS + 1;
    const int columns = r->outRect.right - r->outRect.left, rows = r->outRect.bottom - r->outRect.top;
    const int inColumns = columns + 2 * radius;
    PIBufferID id = NULL;
    int32_t *sums;
    int y, x, c, k;
    const unsigned char *in = (const unsigned char *)r->inData;
    unsigned char *out = (unsigned char *)r->outData;
    if (!in || !out) {
        *result = kPIFilterBadParameters;
        return;
    }
    if ((*result = r->bufferProcs->allocateProc(inColumns * 3 * (int32_t)sizeof(int32_t), &id)) != kPINoErr) return;
    sums = (int32_t *)r->bufferProcs->lockProc(id, 0);
    for (y = 0; y < rows; ++y) {
        for (x = 0; x < inColumns * 3; ++x) {
            sums[x] = 0;
            for (k = 0; k < side; ++k) sums[x] += in[(y + k) * r->inRowBytes + x];
        }
        for (x = 0; x < columns; ++x)
            for (c = 0; c < 3; ++c) {
                int32_t total = 0;
                for (k = 0; k < side; ++k) total += sums[(x + k) * 3 + c];
                out[y * r->outRowBytes + x * 3 + c] = (unsigned char)((total + side * side / 2) / (side * side));
            }
    }
    r->bufferProcs->unlockProc(id);
    r->bufferProcs->freeProc(id);
}
#endif

static void Start(PIFilterRecord *r, intptr_t *data, int16_t *result) {
    *result = kPINoErr;
#if TEST_FILTER == FILTER_INVERT
    (void)data;
    Invert(r, result);
#elif TEST_FILTER == FILTER_BLUR
    if (!r->supportsPadding) {
        *result = kPIFilterBadParameters;
        return;
    }
    r->inputPadding = kPIPadEdgeReplication;
    *data = r->filterRect.top;
    AskRows(r, (int)*data, 8, BLUR_RADIUS);
#else
    (void)data;
    AskRows(r, r->filterRect.top, Rows(r), 0);
#endif
}

static void Continue(PIFilterRecord *r, intptr_t *data, int16_t *result) {
    *result = kPINoErr;
#if TEST_FILTER == FILTER_BLUR
    BlurTile(r, result);
    if (*result != kPINoErr) return;
    *data += 8;
    if (*data >= r->filterRect.bottom)
        AskNothing(r);
    else
        AskRows(r, (int)*data, 8, BLUR_RADIUS);
#elif TEST_FILTER == FILTER_FAIL
    int i;
    (void)data;
    for (i = 0; i < r->outRowBytes * Rows(r); ++i) ((unsigned char *)r->outData)[i] = 0;
    *result = kPIFilterBadParameters;
#else
    (void)data;
    AskNothing(r);
#endif
}

__declspec(dllexport) void PluginMain(int16_t selector, PIFilterRecord *record, intptr_t *data, int16_t *result) {
    switch (selector) {
    case kPIFilterParameters: Parameters(record, result); break;
    case kPIFilterStart: Start(record, data, result); break;
    case kPIFilterContinue: Continue(record, data, result); break;
    default: *result = kPINoErr; break;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
