// The main program's settings record, kept under HKCU\Software\Glyphery.
#pragma once
#include <windows.h>

#include <cstdint>

const char kSettingsKey[] = "Software\\Glyphery";

// One record per process, zero-filled before loading. Strings are ANSI paths
// of at most 259 characters; numbers are 32-bit REG_DWORD values.
struct Settings {
    char installPath[MAX_PATH];
    char pathLaunch[MAX_PATH];
    char pathSave[MAX_PATH];
    uint32_t formatIn;
    uint32_t display_type;  // 0 display window, 1 editor, 2 pathDisplay
    uint32_t capture_size;
    uint32_t capture_target;
    uint32_t capture_zoom;
    uint32_t capture_zoom_size;
    char pathDisplay[MAX_PATH];
    uint32_t tooltips;
    uint32_t bip;
    uint32_t current_format;  // CreateKind
    uint32_t display_icon;
    uint32_t scanner;
    uint32_t automatic_ani;
    uint32_t transparent;
    uint32_t grid;
    uint32_t apply_to_all;
    uint32_t keep_proportions;
    uint32_t color;  // COLORREF 0x00BBGGRR

    // Derived when loaded (mode 1): "<installPath>\Glypherye.chm" (HTML Help). Never saved.
    char helpPath[MAX_PATH];
    // Run-time fields, never saved.
    int frameCount;
};

enum SettingsMode {
    kSettingsCheckInstall = 0,  // full access: read installPath only
    kSettingsLoad = 1,          // read access: every value; needs a non-empty installPath
    kSettingsSave = 2,          // full access: write every value
};

// Returns 0 on success, 1 on failure (the key cannot be opened, or mode 1
// found no installPath). A failure to open leaves the record untouched.
int SettingsAccess(Settings *settings, int mode);

// The start-up sequence: mode 0, clear, mode 1. On failure shows the
// installation message (no owner, stop icon) and returns false.
bool LoadSettingsAtStartup(Settings *settings);
