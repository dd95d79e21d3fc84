#include "editor/settings_win.h"

#include <cstdio>

#include "common/handles.h"
#include "common/registry_win.h"

const char kSuiteKey[] = "Software\\Glyphery";

bool LoadEditorSettings(EditorSettings *settings, EditorInstall *install) {
    UniqueRegKey key(OpenUserKey(kEditorSettingsKey, KEY_READ));
    if (!key.get()) return false;
    ReadRegNumbers(key.get(), kEditorNumbers, kEditorNumberCount, settings);
    ApplyEditorDefaults(settings);
    ReadRegStrings(key.get(), kEditorStrings, kEditorStringCount, settings);

    UniqueRegKey suite(OpenUserKey(kSuiteKey, KEY_READ));
    if (suite.get()) ReadRegString(suite.get(), "installPath", install->folder);
    if (install->folder[0] != '\0')
        snprintf(install->helpPath, sizeof(install->helpPath), "%s\\GlypheryEdite.chm", install->folder);
    return true;
}

bool SaveEditorSettings(EditorSettings *settings) {
    UniqueRegKey key(OpenUserKey(kEditorSettingsKey, KEY_ALL_ACCESS));
    if (!key.get()) return false;
    int failures = WriteRegNumbers(key.get(), kEditorNumbers, kEditorNumberCount, settings);
    failures += WriteRegStrings(key.get(), kEditorStrings, kEditorStringCount, settings);
    return failures == 0;
}


bool SaveCurrentViewPlace(ScreenPoint place) {
    UniqueRegKey key(OpenUserKey(kEditorSettingsKey, KEY_ALL_ACCESS));
    if (!key.get()) return false;
    int failures = WriteRegNumber(key.get(), "x_current", (uint32_t)place.top);
    failures += WriteRegNumber(key.get(), "y_current", (uint32_t)place.left);
    return failures == 0;
}
