// Shared types of the suite: requested formats and the in-memory icon file.
// Portable: no Windows header, so the file-format code also builds natively.
#pragma once
#include <cstddef>
#include <cstdint>

// One requested image of an icon or cursor file: a square size in pixels and a
// bit depth (1, 4, 8, 24 or 32). Arrays of these are in the panel's fixed
// order, which is also the image order of the written file.
struct FormatEntry {
    int32_t size;
    int32_t bits;
};
static_assert(sizeof(FormatEntry) == 8, "FormatEntry is two 32-bit integers");

// One image of an icon or cursor file. Ten 32-bit words on the 32-bit
// platform; the array stride is part of WriteIconToICOFile's interface.
struct IconImageRecord {
    uint32_t width;      // pixels
    uint32_t height;     // pixels, the real height (not doubled)
    uint32_t bitDepth;   // 1, 4, 8, 24 or 32
    uint8_t *block;      // image data block, owned by the record
    uint32_t blockSize;  // bytes in block
    uint8_t *header;     // BITMAPINFOHEADER at the start of block
    uint8_t *colorBits;  // XOR bitmap inside block
    uint8_t *maskBits;   // AND mask inside block
    // The hot spot of a cursor image, in pixels from its top-left corner;
    // written in cursor files only. Records that do not set it hold zero.
    uint32_t hotspotX;
    uint32_t hotspotY;
};

// One icon or cursor file in memory: a count followed by that many records.
struct IconSet {
    uint32_t reserved;
    uint32_t count;
    IconImageRecord images[1];  // 'count' records follow with no gap
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(IconImageRecord) == 40, "IconImageRecord is ten 32-bit words");
static_assert(sizeof(IconSet) == 8 + 40, "IconSet is reserved, count, records");
static_assert(offsetof(IconSet, images) == 8, "records follow the count directly");
static_assert(offsetof(IconImageRecord, block) == 12 && offsetof(IconImageRecord, maskBits) == 28,
              "IconImageRecord field order");
#endif

// Create-as kinds (setting current_format).
enum CreateKind { kCreateIcon = 1, kCreateCursor = 2, kCreateAnimatedCursor = 3, kCreateProfile = 4 };

// A Windows colour reference: 0x00BBGGRR.
typedef uint32_t ColorRef;
