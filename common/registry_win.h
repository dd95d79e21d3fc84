// Reading and writing settings records through their field tables
// (common/regfields.h).
#pragma once
#include <windows.h>

#include "common/regfields.h"

// Opens HKCU\<path> with the access asked for; never creates it.
HKEY OpenUserKey(const char *path, REGSAM access);

// Reads a string value into a kRegPathBytes field. Values stored without
// their terminating zero and values that fill the whole buffer are
// terminated; a value that does not fit, or that is not a string, leaves the
// field as it was.
void ReadRegString(HKEY key, const char *name, char *field);
// Reads a 4-byte value; any other size leaves the field as it was.
void ReadRegNumber(HKEY key, const char *name, uint32_t *field);

void ReadRegStrings(HKEY key, const RegField *fields, size_t count, void *record);
void ReadRegNumbers(HKEY key, const RegField *fields, size_t count, void *record);
// Each returns the number of values that could not be written. Strings are
// stored as REG_SZ without their terminating zero.
int WriteRegStrings(HKEY key, const RegField *fields, size_t count, void *record);
int WriteRegNumbers(HKEY key, const RegField *fields, size_t count, void *record);
int WriteRegNumber(HKEY key, const char *name, uint32_t value);
