// The editor's settings record, kept under HKCU\Software\GlypheryEdit, and
// the rules applied to it when loaded. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/regfields.h"

const char kEditorSettingsKey[] = "Software\\GlypheryEdit";

// Zero-filled before loading. Numbers are REG_DWORD values, the two paths
// REG_SZ of at most 259 characters.
struct EditorSettings {
    uint32_t Grid;
    uint32_t paste_when_create;
    uint32_t Palette;
    uint32_t transparent;
    uint32_t first_time;  // non-zero: the information dialog shows once the frame exists
    uint32_t display_open;
    uint32_t color;
    uint32_t x, y;    // frame left and top (screen)
    uint32_t cx, cy;  // frame width and height
    // The palette window's position, stored crossed as it always was:
    // x_palette holds its TOP edge and y_palette its LEFT edge.
    uint32_t x_palette;
    uint32_t y_palette;
    uint32_t x_smallview, y_smallview;  // the small view's left and top
    uint32_t brush_size;                // 1 to 5 cells per side
    uint32_t fond;                      // COLORREF 0x00BBGGRR of the frame's background
    uint32_t open_type, save_type;
    char open_path[kRegPathBytes];
    char save_path[kRegPathBytes];
    uint32_t open_size, open_colors;
};

// The tables of stored values (every one of them is also written on close).
extern const RegField kEditorNumbers[];
extern const size_t kEditorNumberCount;
extern const RegField kEditorStrings[];
extern const size_t kEditorStringCount;

// The defaults of a record read from an existing key: x 45, y 50, cx 540,
// cy 531 and brush_size 2, each only where the stored value is 0.
void ApplyEditorDefaults(EditorSettings *s);

// The palette window's screen position from the crossed pair, and back.
struct ScreenPoint {
    int left, top;
};
ScreenPoint PalettePosition(const EditorSettings &s);
void StorePalettePosition(EditorSettings *s, ScreenPoint position);
