#include "shell/settings.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "common/handles.h"
#include "common/paths.h"
#include "common/registry_win.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "shell/resource.h"

namespace {

const RegField kStrings[] = {
    GY_REG_FIELD(Settings, installPath), GY_REG_FIELD(Settings, pathLaunch), GY_REG_FIELD(Settings, pathSave),
    GY_REG_FIELD(Settings, pathDisplay),
};
const RegField kNumbers[] = {
    GY_REG_FIELD(Settings, formatIn),       GY_REG_FIELD(Settings, display_type),  GY_REG_FIELD(Settings, capture_size),
    GY_REG_FIELD(Settings, capture_target), GY_REG_FIELD(Settings, capture_zoom),  GY_REG_FIELD(Settings, capture_zoom_size),
    GY_REG_FIELD(Settings, tooltips),       GY_REG_FIELD(Settings, bip),           GY_REG_FIELD(Settings, current_format),
    GY_REG_FIELD(Settings, display_icon),   GY_REG_FIELD(Settings, scanner),       GY_REG_FIELD(Settings, automatic_ani),
    GY_REG_FIELD(Settings, transparent),    GY_REG_FIELD(Settings, grid),          GY_REG_FIELD(Settings, apply_to_all),
    GY_REG_FIELD(Settings, keep_proportions), GY_REG_FIELD(Settings, color),
};
const size_t kStringCount = sizeof(kStrings) / sizeof(kStrings[0]);
const size_t kNumberCount = sizeof(kNumbers) / sizeof(kNumbers[0]);

bool OpenKey(REGSAM access, UniqueRegKey *key) {
    HKEY raw = OpenUserKey(kSettingsKey, access);
    if (!raw) return false;
    key->reset(raw);
    return true;
}

int CheckInstall(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_ALL_ACCESS, &key)) return 1;
    ReadRegString(key.get(), "installPath", s->installPath);
    return 0;
}

int Load(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_READ, &key)) return 1;
    ReadRegStrings(key.get(), kStrings, kStringCount, s);
    ReadRegNumbers(key.get(), kNumbers, kNumberCount, s);
    if (s->installPath[0] == '\0') return 1;
    snprintf(s->helpPath, sizeof(s->helpPath), "%s\\Glypherye.chm", s->installPath);
    return 0;
}

int Save(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_ALL_ACCESS, &key)) return 1;
    int failures = WriteRegStrings(key.get(), kStrings, kStringCount, s);
    failures += WriteRegNumbers(key.get(), kNumbers, kNumberCount, s);
    return failures ? 1 : 0;
}

}  // namespace

int SettingsAccess(Settings *settings, int mode) {
    switch (mode) {
    case kSettingsCheckInstall: return CheckInstall(settings);
    case kSettingsLoad: return Load(settings);
    case kSettingsSave: return Save(settings);
    default: return 1;
    }
}

bool LoadSettingsAtStartup(Settings *settings) {
    Settings probe;
    memset(&probe, 0, sizeof(probe));
    bool ok = SettingsAccess(&probe, kSettingsCheckInstall) == 0;
    if (ok) {
        memset(settings, 0, sizeof(*settings));
        ok = SettingsAccess(settings, kSettingsLoad) == 0;
    }
    // The text is the program's (its string table, in the user interface language).
    if (!ok)
        ShowMessage(nullptr, LoadText(GetModuleHandleA(nullptr), IDS_NOT_INSTALLED).c_str(), "Glyphery", MB_OK | MB_ICONSTOP);
    return ok;
}
