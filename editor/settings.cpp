#include "editor/settings.h"

const RegField kEditorNumbers[] = {
    GY_REG_FIELD(EditorSettings, Grid),        GY_REG_FIELD(EditorSettings, paste_when_create),
    GY_REG_FIELD(EditorSettings, Palette),     GY_REG_FIELD(EditorSettings, transparent),
    GY_REG_FIELD(EditorSettings, first_time),  GY_REG_FIELD(EditorSettings, display_open),
    GY_REG_FIELD(EditorSettings, color),       GY_REG_FIELD(EditorSettings, x),
    GY_REG_FIELD(EditorSettings, y),           GY_REG_FIELD(EditorSettings, cx),
    GY_REG_FIELD(EditorSettings, cy),          GY_REG_FIELD(EditorSettings, x_palette),
    GY_REG_FIELD(EditorSettings, y_palette),   GY_REG_FIELD(EditorSettings, x_smallview),
    GY_REG_FIELD(EditorSettings, y_smallview), GY_REG_FIELD(EditorSettings, brush_size),
    GY_REG_FIELD(EditorSettings, fond),        GY_REG_FIELD(EditorSettings, open_type),
    GY_REG_FIELD(EditorSettings, save_type),   GY_REG_FIELD(EditorSettings, open_size),
    GY_REG_FIELD(EditorSettings, open_colors),
};
const size_t kEditorNumberCount = sizeof(kEditorNumbers) / sizeof(kEditorNumbers[0]);

const RegField kEditorStrings[] = {
    GY_REG_FIELD(EditorSettings, open_path),
    GY_REG_FIELD(EditorSettings, save_path),
};
const size_t kEditorStringCount = sizeof(kEditorStrings) / sizeof(kEditorStrings[0]);

void ApplyEditorDefaults(EditorSettings *s) {
    struct Default {
        uint32_t EditorSettings::*field;
        uint32_t value;
    };
    static const Default kDefaults[] = {
        {&EditorSettings::cx, 540}, {&EditorSettings::cy, 531},        {&EditorSettings::x, 45},
        {&EditorSettings::y, 50},   {&EditorSettings::brush_size, 2},
    };
    for (const Default &d : kDefaults)
        if (s->*d.field == 0) s->*d.field = d.value;
}

ScreenPoint PalettePosition(const EditorSettings &s) { return {(int)s.y_palette, (int)s.x_palette}; }

void StorePalettePosition(EditorSettings *s, ScreenPoint position) {
    s->x_palette = (uint32_t)position.top;
    s->y_palette = (uint32_t)position.left;
}
