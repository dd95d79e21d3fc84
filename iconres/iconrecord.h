// The icon record store: one record per distinct .ico/.cur file image read
// out of animated cursors, each with the icon or cursor handle made from it.
// Records are never freed, so their handles stay valid until the program ends.
#pragma once
#include <windows.h>

#include <cstdint>

struct IconRecord {
    uint32_t refCount;   // animation steps showing this record
    IconRecord *next;    // the next older record
    uint32_t byteSum;    // sum of the bytes, modulo 2^32
    HICON handle;        // null when the platform could not make one
    int16_t hotspotX;    // of the image chosen for display; 16, 16 for icons
    int16_t hotspotY;
    char tag[4];         // "icon"
    uint32_t length;     // bytes of the file image
    uint8_t bytes[1];    // the .ico/.cur file image, length bytes
};

// One animation step of an animated cursor: its display time and frame.
struct AnimationStep {
    uint32_t rate;       // jiffies (1/60 s)
    IconRecord *frame;
};

// Stores a copy of a file image unless the store already holds the same
// bytes, and returns the stored record (the older one for a duplicate, its
// count and handle unchanged). With saveAsCursor the bytes are also written
// unchanged to "<temp>\<source base name><counter, 4 digits>.cur" and the
// counter advances; a file that cannot be written is skipped silently.
// Null when the record cannot be allocated.
IconRecord *AddIconRecord(const uint8_t *bytes, uint32_t length, const char *sourcePath, bool saveAsCursor);

// Makes the handle of a record's file image from the image the platform
// picks for the display, and sets the record's hot spot. Null (hot spot
// unchanged) when the file image is not sound or the platform refuses it.
HICON CreateIconFromFileImage(IconRecord *record);

// The newest record (walk with ->next), and the number of records.
IconRecord *IconStoreHead();
size_t IconStoreSize();

// The counter of the cursor files written to the temporary folder.
int CursorFileCounter();
void ResetCursorFileCounter();
// Deletes the cursor files written to the temporary folder since the last call.
void RemoveCursorFiles();
