// The display window's image sets: the images of one icon or cursor file as
// the window shows, retouches and writes them back. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One image of a file: its size and depth, and its icon resource bytes
// (header, colour table, colour bits, mask bits) as a block of its own.
struct DisplayImageRecord {
    uint32_t width = 0;     // pixels, the header's width
    uint32_t height = 0;    // pixels, half the header's height
    uint32_t bitDepth = 0;  // planes x bit count: 1, 4, 8, 24 or 32 (others are kept, not shown)
    std::vector<uint8_t> bytes;   // the icon resource: the header starts at byte 0
    uint32_t colorTableSize = 0;  // bytes
    uint32_t maskOffset = 0;      // from the end of the header: colour table + colour bits
    // The directory entry's two 16-bit words at offset 4: planes and bit
    // count in an icon file, the hot spot in a cursor file (written back as read).
    uint16_t entryWord4 = 0, entryWord6 = 0;
};

struct DisplayImageSet {
    uint16_t type = 1;  // 1 icon, 2 cursor
    std::vector<DisplayImageRecord> images;
};

// Reads an icon or cursor file: the directory, then each image's bytes at its
// directory offset and size, every count and offset bounded by the bytes
// present. Images stored as PNG are refused (the window shows and retouches
// bitmap images only). False, with a short reason, when the file is refused.
bool ReadDisplayImageSet(const uint8_t *data, size_t size, DisplayImageSet *out, std::string *error);

// Replaces a record's image by an icon resource block (as the DIB helpers
// make it: a 40-byte header, the table, colour bits, mask bits); the size and
// depth come from its header. False, record unchanged, when the block is not one.
bool SetRecordImage(DisplayImageRecord *record, const uint8_t *block, size_t size);

// The file's bytes: header, one directory entry per image (width, height,
// colour count 2^(planes x bits) below 8 bits else 0, reserved, planes and
// bit count from the image header in an icon file or the hot spot the file
// had in a cursor file, byte size, offset), then each image with its header's
// image-size field written as 0.
std::vector<uint8_t> DisplayImageSetBytes(const DisplayImageSet &set);

// The colours a line of the image list names for a depth: 2, 16 or 256 for
// 1, 4 and 8 bits, 0 for true colour (24 and 32), -1 for any other depth,
// which gets an empty line.
int ImageLineColors(uint32_t bitDepth);

// The image index a file shows when the window's index may lie beyond its
// set (files of one conversion can hold different numbers of images): the
// index itself when the set has it, else the set's last image; 0 for an
// empty set.
size_t ImageIndexInSet(size_t index, size_t count);
