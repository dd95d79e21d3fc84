// What the editor knows before its first window: the icon it edits, the
// folders it works in and its settings.
#pragma once
#include <windows.h>

#include <vector>

#include "editor/settings_win.h"
#include "editor/startup_rules.h"
#include "iconlib/icofile.h"

// An icon or cursor file as our own parser read it: its bytes, its directory
// (each entry's place in the bytes, a cursor's hot spots) and each image's
// shape. A later save takes from it what the image library does not keep.
struct IconFileData {
    std::vector<uint8_t> bytes;
    IconFileDirectory directory;
    std::vector<ImageShape> shapes;  // one per directory entry
    std::vector<bool> png;           // a PNG-compressed image, per entry
};

struct EditorSession {
    char iconPath[kRegPathBytes];
    char scratchBitmap[kRegPathBytes];  // <temporary folder>\GY.bmp
    EditorSettings settings;
    bool settingsKey;  // HKCU\Software\GlypheryEdit exists (else nothing is written on close)
    EditorInstall install;
    std::vector<ImageShape> images;  // in file order; the last one is shown first
    IconFileData file;
    WorkingSize working;
};

// The largest icon file the editor opens (a file of 256 images of 256 x 256
// at 32 bits is about 64 MB).
const size_t kMaxIconFileBytes = 64u << 20;

// Fills the session from the command line: the paths, the settings, the
// icon's images. On an empty command line or an icon that cannot be read it
// tells the user why (the module's strings, no owner) and returns false.
bool PrepareSession(HINSTANCE instance, const char *commandLine, EditorSession *session);

// An icon or cursor file read whole by our own parser. False (with nothing
// kept) when the file cannot be read, is not an icon or cursor file, or holds
// no image, or an image whose header cannot be read.
bool ReadIconFile(const char *path, IconFileData *file);
