// Icon and cursor groups of programs and libraries turned back into the
// .ico/.cur files they were made from, and what kind of file a file is.
// Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum ContainerKind { kContainerUnknown, kContainerIcon, kContainerCursor, kContainerAni, kContainerModule };
// By the first bytes: reserved 0 and type 1 or 2, "RIFF", or "MZ".
ContainerKind ClassifyFile(const uint8_t *data, size_t size);

// Fetches the data of the icon or cursor resource with an identifier; false
// when there is none.
typedef std::function<bool(uint16_t id, std::vector<uint8_t> *data)> ResourceFetcher;

// A group resource (6-byte header, then 14-byte entries: for icons width,
// height, colour count, reserved, planes, bit count; for cursors 16-bit width
// and doubled height, planes, bit count; then byte size and identifier) and
// its images make an .ico or .cur file: the header copied, one 16-byte entry
// per image (a cursor's hot spot, which its resource data starts with, in
// place of planes and bit count, and its width, height and colour count as
// its image header gives them), then the images' bytes unchanged, back to
// back in group order. False with a reason for a group that is cut short or
// names an image that is missing or too short.
bool BuildFileFromGroup(const uint8_t *group, size_t size, bool cursor, const ResourceFetcher &fetch,
                        std::vector<uint8_t> *out, std::string *error);

// A resource name or file name part that is safe in a file name on Windows
// and Linux: characters < > : " / \ | ? * and control characters become '_'.
std::string SafeNamePart(const std::string &name);
