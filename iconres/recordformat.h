// The pieces of the icon record store that need no window system: the byte
// sum of a file image, the resource-style group directory the platform picks
// an image from, and the creation input of the picked image. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The sum of all bytes, each unsigned, modulo 2^32.
uint32_t ByteSum(const uint8_t *data, size_t size);

// A group directory as icon and cursor group resources hold it: the file's
// 6-byte header copied, then one 14-byte entry per image: for icons width,
// height, colour count and a zero byte; for cursors width and height as
// 16-bit values; then planes 0, bit count 0, the image's byte size and the
// entry's identifier. The identifier is the image's index plus one (never 0,
// which the platform's chooser returns for failure), so images that start
// beyond 64 KB inside a large file image are reached as well.
struct GroupDirectory {
    uint16_t type = 0;               // 1 icon, 2 cursor
    std::vector<uint8_t> bytes;      // what LookupIconIdFromDirectory reads
};
// False when the file image is not a sound .ico/.cur file (header, directory
// or an image outside the data). With withDepths, planes and bit count are
// those a resource compiler would write (planes 1, the image's own bit
// count), so that the platform's chooser also weighs colour depths.
bool BuildGroupDirectory(const uint8_t *file, size_t size, GroupDirectory *out, bool withDepths = false);

// The bytes CreateIconFromResource takes for the image with identifier id:
// an icon image's data from its offset to the end of the file image; for a
// cursor its hot spot (two 16-bit values from its file entry) first. False
// for an identifier that names no image.
struct CreationInput {
    std::vector<uint8_t> bytes;
    uint16_t hotspotX = 16, hotspotY = 16;  // 16, 16 for icons
    bool icon = true;
};
bool MakeCreationInput(const uint8_t *file, size_t size, uint16_t id, CreationInput *out);
