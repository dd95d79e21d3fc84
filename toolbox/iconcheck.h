// What is wrong in an icon, cursor or animated cursor file, and what the
// images in it are: the rules of the command line's list and check. A finding
// carries a code and numbers, never a text; the program that reports it
// words it from its string table. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "iconres/anifile.h"

enum FindingLevel { kLevelNote = 0, kLevelWarning = 1, kLevelError = 2 };

// Codes are numbered for the string table (text id = base + code) and named
// for scripts (FindingCodeName); the numbers and names never change meaning.
enum FindingCode {
    kFindNotIconFile = 0,        // detail: the reader's reason
    kFindNoImages,               //
    kFindImageOutside,           // a = offset, b = bytes
    kFindImageOverlapsDirectory, // a = offset
    kFindImagesOverlap,          // a = the other image
    kFindBadImageHeader,         // detail: the reader's reason
    kFindEntrySize,              // a = directory's WxH packed (w << 16 | h), b = header's
    kFindEntryBits,              // a = directory's, b = header's
    kFindEntryColors,            // a = directory's colour count, b = expected
    kFindPngImage,               //
    kFindMissingSizes,           // detail: "16, 256"
    kFindAlphaAllZero,           //
    kFindAlphaMask,              // a = pixels that disagree
    kFindHotspotOutside,         // a = x, b = y
    kFindUnusedBytes,            // a = bytes no image uses, b = where the first one lies
    kFindDuplicateFormat,        // a = the earlier image with the same size and depth
    kFindAniRefused,             // detail: the reader's reason
    kFindAniFrameCount,          // a = declared, b = read
    kFindAniTableLength,         // detail: "rate" or "seq ", a = entries, b = steps
    kFindAniSequenceFlag,        // a = 1: "seq " without the flag; 0: the flag without "seq "
    kFindAniZeroRate,            // a = step
    kFindAniUnusedFrame,         // a = frame
    kFindAniMissingPad,          //
    kFindCodeCount
};

const char *FindingCodeName(FindingCode code);
FindingLevel FindingCodeLevel(FindingCode code);

struct Finding {
    FindingCode code;
    FindingLevel level;
    int frame = -1;  // the .ani frame, or -1
    int image = -1;  // the image in its file, or -1
    int64_t a = 0, b = 0;
    std::string detail;
};

// Every rule of the .ico/.cur format, image by image; frame is copied into
// the findings (an .ani frame's number, or -1).
void CheckIconFile(const uint8_t *data, size_t size, int frame, std::vector<Finding> *out);
// The .ani file's own rules, then each frame as an icon or cursor file.
void CheckAniFile(const uint8_t *data, size_t size, std::vector<Finding> *out);
// 0 nothing but notes, 1 warnings, 2 errors.
int CheckExitCode(const std::vector<Finding> &findings);

// One image of an .ico/.cur file as its header (or PNG header) gives it;
// the directory's values where the image cannot be read.
struct ImageSummary {
    int width = 0, height = 0, bits = 0;
    bool png = false;
    uint32_t bytes = 0;
    bool cursor = false;
    uint16_t hotspotX = 0, hotspotY = 0;  // cursors only
};
// False with the reader's reason when the header or directory cannot be read.
bool SummarizeIconFile(const uint8_t *data, size_t size, std::vector<ImageSummary> *out, std::string *error);
