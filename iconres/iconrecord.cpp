#include "iconrecord.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "iconres/recordformat.h"

static IconRecord *g_store = nullptr;
static size_t g_storeSize = 0;
static int g_cursorFileCounter = 0;
// The cursor files written since the last removal: they belong to the
// listing that wrote them and go with it.
static std::vector<std::string> g_cursorFiles;

IconRecord *IconStoreHead() { return g_store; }
size_t IconStoreSize() { return g_storeSize; }
int CursorFileCounter() { return g_cursorFileCounter; }
void ResetCursorFileCounter() { g_cursorFileCounter = 0; }

// Writes the bytes as the next numbered cursor file of the temporary folder.
static void SaveAsCursorFile(const uint8_t *bytes, uint32_t length, const char *sourcePath) {
    char name[MAX_PATH];
    int n = snprintf(name, sizeof name, "%s\\%s%04d.cur", TempFolder().c_str(), BaseName(sourcePath).c_str(),
                     g_cursorFileCounter);
    if (n < 0 || n >= (int)sizeof name) return;  // would not fit a path: skipped like an unwritable file
    CollapseBackslashesInPlace(name);
    UniqueFile file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    bool whole = WriteFile(file.get(), bytes, length, &written, nullptr) && written == length;
    g_cursorFiles.push_back(name);  // a partly written file is removed too
    if (whole) ++g_cursorFileCounter;
}

void RemoveCursorFiles() {
    for (const std::string &name : g_cursorFiles) DeleteFileA(name.c_str());
    g_cursorFiles.clear();
}

static IconRecord *FindRecord(uint32_t sum, const uint8_t *bytes, uint32_t length) {
    for (IconRecord *r = g_store; r; r = r->next)
        if (r->byteSum == sum && r->length == length && memcmp(r->bytes, bytes, length) == 0) return r;
    return nullptr;
}

IconRecord *AddIconRecord(const uint8_t *bytes, uint32_t length, const char *sourcePath, bool saveAsCursor) {
    if (!bytes && length) return nullptr;
    if (saveAsCursor) SaveAsCursorFile(bytes, length, sourcePath ? sourcePath : "");
    uint32_t sum = ByteSum(bytes, length);
    if (IconRecord *same = FindRecord(sum, bytes, length)) return same;

    if ((size_t)length > SIZE_MAX - offsetof(IconRecord, bytes) - 1) return nullptr;
    IconRecord *record = (IconRecord *)calloc(1, offsetof(IconRecord, bytes) + length + 1);
    if (!record) return nullptr;
    if (length) memcpy(record->bytes, bytes, length);
    record->byteSum = sum;
    memcpy(record->tag, "icon", 4);
    record->length = length;
    record->handle = CreateIconFromFileImage(record);
    record->next = g_store;
    g_store = record;
    ++g_storeSize;
    return record;
}

HICON CreateIconFromFileImage(IconRecord *record) {
    GroupDirectory dir;
    if (!BuildGroupDirectory(record->bytes, record->length, &dir)) return nullptr;
    int id = LookupIconIdFromDirectory(dir.bytes.data(), dir.type == 1);
    CreationInput input;
    if (id <= 0 || id > 0xFFFF || !MakeCreationInput(record->bytes, record->length, (uint16_t)id, &input))
        return nullptr;
    record->hotspotX = (int16_t)input.hotspotX;
    record->hotspotY = (int16_t)input.hotspotY;
    return CreateIconFromResource(input.bytes.data(), (DWORD)input.bytes.size(), input.icon, 0x00030000);
}
