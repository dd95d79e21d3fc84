#include "common/registry_win.h"

#include <cstring>

#include "common/paths.h"

HKEY OpenUserKey(const char *path, REGSAM access) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, &raw) != ERROR_SUCCESS) return nullptr;
    return raw;
}

void ReadRegString(HKEY key, const char *name, char *field) {
    char buf[kRegPathBytes + 1];
    DWORD type = 0, size = kRegPathBytes;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buf), &size) != ERROR_SUCCESS) return;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return;
    buf[size < kRegPathBytes ? size : kRegPathBytes - 1] = '\0';
    CopyBounded(field, kRegPathBytes, buf);
}

void ReadRegNumber(HKEY key, const char *name, uint32_t *field) {
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) != ERROR_SUCCESS)
        return;
    if (size != sizeof(value)) return;
    *field = value;
}

void ReadRegStrings(HKEY key, const RegField *fields, size_t count, void *record) {
    for (size_t i = 0; i < count; i++) ReadRegString(key, fields[i].name, RegStringField(record, fields[i]));
}

void ReadRegNumbers(HKEY key, const RegField *fields, size_t count, void *record) {
    for (size_t i = 0; i < count; i++) ReadRegNumber(key, fields[i].name, RegNumberField(record, fields[i]));
}

int WriteRegStrings(HKEY key, const RegField *fields, size_t count, void *record) {
    int failures = 0;
    for (size_t i = 0; i < count; i++) {
        const char *text = RegStringField(record, fields[i]);
        DWORD length = (DWORD)strnlen(text, kRegPathBytes - 1);
        failures += RegSetValueExA(key, fields[i].name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text), length) !=
                    ERROR_SUCCESS;
    }
    return failures;
}

int WriteRegNumber(HKEY key, const char *name, uint32_t value) {
    DWORD v = value;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), sizeof(v)) != ERROR_SUCCESS;
}

int WriteRegNumbers(HKEY key, const RegField *fields, size_t count, void *record) {
    int failures = 0;
    for (size_t i = 0; i < count; i++) failures += WriteRegNumber(key, fields[i].name, *RegNumberField(record, fields[i]));
    return failures;
}
