// What the editor knows before its first window: the icon it edits, the
// folders it works in and its settings.
#pragma once
#include <windows.h>

#include <vector>

#include "editor/settings_win.h"
#include "editor/startup_rules.h"

struct EditorSession {
    char iconPath[kRegPathBytes];
    char scratchBitmap[kRegPathBytes];  // <temporary folder>\GY.bmp
    EditorSettings settings;
    bool settingsKey;  // HKCU\Software\GlypheryEdit exists (else nothing is written on close)
    EditorInstall install;
    std::vector<ImageShape> images;  // in file order; the last one is shown first
    WorkingSize working;
};

// The largest icon file the editor opens (a file of 256 images of 256 x 256
// at 32 bits is about 64 MB).
const size_t kMaxIconFileBytes = 64u << 20;

// Fills the session from the command line: the paths, the settings, the
// icon's images. On an empty command line or an icon that cannot be read it
// tells the user why (the module's strings, no owner) and returns false.
bool PrepareSession(HINSTANCE instance, const char *commandLine, EditorSession *session);

// The images of an icon or cursor file, read by our own parser. False (with
// no images) when the file cannot be read, is not an icon or cursor file, or
// holds no image whose header can be read.
bool ReadIconShapes(const char *path, std::vector<ImageShape> *images);
