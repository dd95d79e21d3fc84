#include "shell/settings.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "shell/resource.h"

namespace {

struct StringValue {
    const char *name;
    size_t offset;
};
struct NumberValue {
    const char *name;
    size_t offset;
};

#define GY_STRING(field) {#field, offsetof(Settings, field)}
#define GY_NUMBER(field) {#field, offsetof(Settings, field)}

const StringValue kStrings[] = {
    GY_STRING(installPath), GY_STRING(pathLaunch), GY_STRING(pathSave), GY_STRING(pathDisplay),
};
const NumberValue kNumbers[] = {
    GY_NUMBER(formatIn),       GY_NUMBER(display_type),     GY_NUMBER(capture_size),  GY_NUMBER(capture_target),
    GY_NUMBER(capture_zoom),   GY_NUMBER(capture_zoom_size), GY_NUMBER(tooltips),     GY_NUMBER(bip),
    GY_NUMBER(current_format), GY_NUMBER(display_icon),     GY_NUMBER(scanner),       GY_NUMBER(automatic_ani),
    GY_NUMBER(transparent),    GY_NUMBER(grid),             GY_NUMBER(apply_to_all),  GY_NUMBER(keep_proportions),
    GY_NUMBER(color),
};

#undef GY_STRING
#undef GY_NUMBER

char *StringField(Settings *s, const StringValue &v) { return reinterpret_cast<char *>(s) + v.offset; }
uint32_t *NumberField(Settings *s, const NumberValue &v) {
    return reinterpret_cast<uint32_t *>(reinterpret_cast<char *>(s) + v.offset);
}

// Reads a string value into its 260-byte field. Values stored without their
// terminating zero (as this program writes them) and values that fill the
// whole buffer are terminated here; a value that does not fit, or that is not
// a string, leaves the field as it was.
void ReadString(HKEY key, const char *name, char *field) {
    char buf[MAX_PATH + 1];
    DWORD type = 0, size = MAX_PATH;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buf), &size) != ERROR_SUCCESS) return;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return;
    buf[size < MAX_PATH ? size : MAX_PATH - 1] = '\0';
    CopyBounded(field, MAX_PATH, buf);
}

void ReadNumber(HKEY key, const char *name, uint32_t *field) {
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) != ERROR_SUCCESS)
        return;
    if (size != sizeof(value)) return;
    *field = value;
}

bool OpenKey(REGSAM access, UniqueRegKey *key) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, access, &raw) != ERROR_SUCCESS) return false;
    key->reset(raw);
    return true;
}

int CheckInstall(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_ALL_ACCESS, &key)) return 1;
    ReadString(key.get(), "installPath", s->installPath);
    return 0;
}

int Load(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_READ, &key)) return 1;
    for (const StringValue &v : kStrings) ReadString(key.get(), v.name, StringField(s, v));
    for (const NumberValue &v : kNumbers) ReadNumber(key.get(), v.name, NumberField(s, v));
    if (s->installPath[0] == '\0') return 1;
    snprintf(s->helpPath, sizeof(s->helpPath), "%s\\Glypherye.hlp", s->installPath);
    return 0;
}

int Save(Settings *s) {
    UniqueRegKey key;
    if (!OpenKey(KEY_ALL_ACCESS, &key)) return 1;
    int failures = 0;
    for (const StringValue &v : kStrings) {
        const char *text = StringField(s, v);
        // Stored without the terminating zero.
        DWORD length = (DWORD)strnlen(text, MAX_PATH - 1);
        failures += RegSetValueExA(key.get(), v.name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text), length) !=
                    ERROR_SUCCESS;
    }
    for (const NumberValue &v : kNumbers) {
        DWORD value = *NumberField(s, v);
        failures += RegSetValueExA(key.get(), v.name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                                   sizeof(value)) != ERROR_SUCCESS;
    }
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
