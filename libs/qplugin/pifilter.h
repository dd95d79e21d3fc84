// The ".8bf" filter plug-in interface as the published description of it
// gives it: the parameter block a host hands to the plug-in's entry point,
// the callback suites, the selectors and the result codes. Shared by the
// host (Qplugin.dll) and the plug-ins of our tests. Plain C, so a plug-in
// written in C can include it.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char PIBoolean;
typedef int16_t PIErr;
typedef int32_t PIFixed;  // 16.16 fixed point

typedef struct PIPoint {
    int16_t v, h;
} PIPoint;
typedef struct PIRect {
    int16_t top, left, bottom, right;
} PIRect;
typedef struct PIRGBColor {
    uint16_t red, green, blue;
} PIRGBColor;
typedef struct PIMonitor {
    PIFixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
} PIMonitor;
typedef struct PIPlatformData {
    intptr_t hwnd;  // the window a plug-in's dialogs belong to
} PIPlatformData;

// A handle: dereferenced once it gives the block's address.
typedef char **PIHandle;
typedef struct PIBufferRec *PIBufferID;

typedef PIBoolean (*PITestAbortProc)(void);
typedef void (*PIProgressProc)(int32_t done, int32_t total);
typedef PIErr (*PIAdvanceStateProc)(void);

typedef PIErr (*PIAllocateBufferProc)(int32_t size, PIBufferID *bufferID);
typedef void *(*PILockBufferProc)(PIBufferID bufferID, PIBoolean moveHigh);
typedef void (*PIUnlockBufferProc)(PIBufferID bufferID);
typedef void (*PIFreeBufferProc)(PIBufferID bufferID);
typedef int32_t (*PIBufferSpaceProc)(void);
typedef struct PIBufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    PIAllocateBufferProc allocateProc;
    PILockBufferProc lockProc;
    PIUnlockBufferProc unlockProc;
    PIFreeBufferProc freeProc;
    PIBufferSpaceProc spaceProc;
} PIBufferProcs;

typedef PIHandle (*PINewHandleProc)(int32_t size);
typedef void (*PIDisposeHandleProc)(PIHandle handle);
typedef int32_t (*PIGetHandleSizeProc)(PIHandle handle);
typedef PIErr (*PISetHandleSizeProc)(PIHandle handle, int32_t newSize);
typedef void *(*PILockHandleProc)(PIHandle handle, PIBoolean moveHigh);
typedef void (*PIUnlockHandleProc)(PIHandle handle);
typedef void (*PIRecoverSpaceProc)(int32_t size);
typedef void (*PIDisposeRegularHandleProc)(PIHandle handle);
typedef struct PIHandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    PINewHandleProc newProc;
    PIDisposeHandleProc disposeProc;
    PIGetHandleSizeProc getSizeProc;
    PISetHandleSizeProc setSizeProc;
    PILockHandleProc lockProc;
    PIUnlockHandleProc unlockProc;
    PIRecoverSpaceProc recoverSpaceProc;
    PIDisposeRegularHandleProc disposeRegularHandleProc;
} PIHandleProcs;

// The parameter block of a filter, in the published field order. A host
// allocates more than this (zeroed), so that a plug-in of a later version
// reads zeros in the fields after these.
typedef struct PIFilterRecord {
    int32_t serialNumber;
    PITestAbortProc abortProc;
    PIProgressProc progressProc;
    PIHandle parameters;
    PIPoint imageSize;
    int16_t planes;
    PIRect filterRect;
    PIRGBColor background;
    PIRGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    PIRect inRect;
    int16_t inLoPlane, inHiPlane;
    PIRect outRect;
    int16_t outLoPlane, outHiPlane;
    void *inData;
    int32_t inRowBytes;
    void *outData;
    int32_t outRowBytes;
    PIBoolean isFloating, haveMask, autoMask;
    PIRect maskRect;
    void *maskData;
    int32_t maskRowBytes;
    unsigned char backColor[4];
    unsigned char foreColor[4];
    uint32_t hostSig;
    void *hostProc;
    int16_t imageMode;
    PIFixed imageHRes, imageVRes;
    PIPoint floatCoord;
    PIPoint wholeSize;
    PIMonitor monitor;
    void *platformData;
    PIBufferProcs *bufferProcs;
    void *resourceProcs;
    void *processEvent;
    void *displayPixels;
    PIHandleProcs *handleProcs;
    PIBoolean supportsDummyChannels, supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void *premiereHook;
    PIAdvanceStateProc advanceState;
    PIBoolean supportsAbsolute, wantsAbsolute;
    void *getPropertyObsolete;
    PIBoolean cannotUndo, supportsPadding;
    int16_t inputPadding, outputPadding, maskPadding;
    char samplingSupport, reservedByte;
    PIFixed inputRate, maskRate;
    void *colorServices;
    int16_t inLayerPlanes, inTransparencyMask, inLayerMasks, inInvertedLayerMasks, inNonLayerPlanes;
    int16_t outLayerPlanes, outTransparencyMask, outLayerMasks, outInvertedLayerMasks, outNonLayerPlanes;
    int16_t absLayerPlanes, absTransparencyMask, absLayerMasks, absInvertedLayerMasks, absNonLayerPlanes;
    int16_t inPreDummyPlanes, inPostDummyPlanes, outPreDummyPlanes, outPostDummyPlanes;
    int32_t inColumnBytes, inPlaneBytes, outColumnBytes, outPlaneBytes;
} PIFilterRecord;

// The entry point a plug-in's PiPL names (C calling convention).
typedef void (*PIFilterEntry)(int16_t selector, PIFilterRecord *record, intptr_t *data, int16_t *result);

enum {
    kPIFilterAbout = 0,
    kPIFilterParameters = 1,
    kPIFilterPrepare = 2,
    kPIFilterStart = 3,
    kPIFilterContinue = 4,
    kPIFilterFinish = 5,
};

enum {
    kPIModeRGBColor = 3,
    kPIFilterCaseFlatImageNoSelection = 1,
};

// inputPadding: a value 0-255 pads with that value; these ask otherwise.
enum {
    kPIPadEdgeReplication = -1,
    kPIPadNone = -2,
    kPIPadErrorOnBounds = -3,
};

enum {
    kPINoErr = 0,
    kPIUserCanceled = -128,
    kPIMemFull = -108,
    kPIFilterBadParameters = -30100,
    kPIFilterBadMode = -30101,
};

// Four-character codes as little-endian 32-bit values, as the PiPL stores them.
#define PI_FOURCC(a, b, c, d) (((uint32_t)(a) << 24) | ((uint32_t)(b) << 16) | ((uint32_t)(c) << 8) | (uint32_t)(d))

#ifdef __cplusplus
}
#endif
