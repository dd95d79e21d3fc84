// The editor's settings against the registry.
#pragma once
#include "editor/settings.h"

// Where the editor finds the suite: HKCU\Software\Glyphery's installPath and
// the help file formed from it (empty when the folder is unknown).
struct EditorInstall {
    char folder[kRegPathBytes];
    char helpPath[kRegPathBytes];
};

// Reads the record when HKCU\Software\GlypheryEdit exists: every number, the
// defaults where they are 0, then the two paths, then the install folder.
// Returns false when the key is missing: the record and install are then
// left as they were (zero), with no defaults.
bool LoadEditorSettings(EditorSettings *settings, EditorInstall *install);
// Writes every value into the existing key (it is never created). False when
// the key cannot be opened or a value cannot be written.
bool SaveEditorSettings(EditorSettings *settings);
// Writes the SmallView's place as x_current (its top) and y_current (its
// left) into the existing key; these two are never read back.
bool SaveCurrentViewPlace(ScreenPoint place);
