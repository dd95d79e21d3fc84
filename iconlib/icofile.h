// The .ico/.cur file format: the layout of one image data block, the file's
// header and directory, writing an IconSet through a byte sink, and a
// bounds-checked reader of the directory and image headers. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/types.h"

enum IconFileType { kIconType = 1, kCursorType = 2 };

const uint32_t kBitmapInfoHeaderSize = 40;
const uint32_t kIconFileHeaderSize = 6;
const uint32_t kIconDirEntrySize = 16;
const uint32_t kHeaderSizeImageOffset = 20;  // biSizeImage inside the header

// Where the parts of one image data block lie (offsets from the block start).
struct IconBlockLayout {
    uint32_t colorEntries;   // 2, 16 or 256 for 1, 4, 8 bits; 0 above
    uint32_t colorRowBytes;  // ((width * bits + 31) / 32) * 4
    uint32_t maskRowBytes;   // ((width + 31) / 32) * 4
    uint32_t colorOffset;    // 40 + 4 * colorEntries
    uint32_t maskOffset;     // colorOffset + height * colorRowBytes
    uint32_t blockSize;      // maskOffset + height * maskRowBytes
};

uint32_t ColorTableEntries(uint32_t bits);
// False when the sizes would not fit a 32-bit block size.
bool ComputeIconBlockLayout(uint32_t width, uint32_t height, uint32_t bits, IconBlockLayout *out);

// Writes the 40-byte header of a block: width, 2 x height, planes 1, bits,
// everything else 0.
void WriteBlockHeader(uint8_t *block, uint32_t width, uint32_t height, uint32_t bits);
// Sets the record's pointers and block size from its block and layout.
void BindRecordToBlock(IconImageRecord *rec, uint8_t *block, const IconBlockLayout &layout);

// Mask bit of pixel (x, y), y counted from the top: row height-1-y (rows are
// stored bottom first), byte x/8, bit 7-(x%8).
size_t MaskByteIndex(uint32_t width, uint32_t height, uint32_t x, uint32_t y);
uint8_t MaskBitValue(uint32_t x);

// 1 (icon) when the extension's first four characters are ".ico" in any case,
// else 2 (cursor), also when there is no extension.
IconFileType IconTypeFromPath(const std::string &path);

// Fills one 16-byte directory entry for a record. Icon entries hold planes
// and bit count (from the block's header), cursor entries the record's hot spot.
void FillDirectoryEntry(const IconImageRecord &rec, IconFileType type, uint32_t dataOffset, uint8_t out[16]);
// Offset of image i's data: 6 + 16 * count + the block sizes of images before i.
uint32_t ImageDataOffset(const IconSet *set, uint32_t i);

// Receives the file's bytes; returns false when fewer were written than asked.
typedef std::function<bool(const void *data, uint32_t len)> ByteSink;
// Header, directory and blocks, in record order. Each block's image-size field
// is written as 0 and restored afterwards. Stops at the first failed write.
bool WriteIconSet(IconSet *set, IconFileType type, const ByteSink &sink);

// --- Reading -------------------------------------------------------------

struct IconDirEntry {
    uint8_t width, height, colorCount, reserved;
    uint16_t planes, bitCount;  // hot spot x, y in cursor files: read depths from the image header
    uint32_t bytes, offset;
};

struct IconFileDirectory {
    uint16_t type = 0;
    std::vector<IconDirEntry> entries;
};

// Reads and checks the header and directory: reserved 0, type 1 or 2, the
// directory inside the file, every image's data inside the file. On failure
// returns false with a short reason.
bool ParseIconDirectory(const uint8_t *data, size_t size, IconFileDirectory *out, std::string *error);
// The header and directory alone: the same checks except where the images
// lie, so that a validator can report every image that is out of place.
bool ReadIconDirectory(const uint8_t *data, size_t size, IconFileDirectory *out, std::string *error);

// One image's data block as found in a file (header fields and where its
// parts lie, all checked to be inside the block).
struct IconImageInfo {
    int32_t width = 0;
    int32_t height = 0;  // the real height (header height / 2)
    uint16_t bitCount = 0;
    uint32_t colorEntries = 0;
    size_t headerSize = 0;
    size_t colorOffset = 0;  // from the start of the block
    size_t maskOffset = 0;
    size_t colorRowBytes = 0;
    size_t maskRowBytes = 0;
    bool hasMask = false;  // false: a 32-bit image stored without its mask
    bool png = false;  // a PNG-compressed image (newer icons); no parts then
    // For a PNG image, width, height and bitCount (bit depth x channels) come
    // from its IHDR chunk when it is there whole; they stay 0 otherwise.
};
bool ParseIconImage(const uint8_t *block, size_t size, IconImageInfo *out, std::string *error);
