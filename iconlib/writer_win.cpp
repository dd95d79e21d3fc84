// WriteIconToICOFile: the file side of the icon writer.
#include "common/handles.h"
#include "iconlib/icofile.h"
#include "iconlib/iconlib.h"

extern "C" int WINAPI WriteIconToICOFile(IconSet *set, const char *path) {
    if (!set || !path) return 0;
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 0;
    HANDLE h = file.get();
    // A short or failed write stops the file where it is (it stays on disk).
    WriteIconSet(set, IconTypeFromPath(path), [h](const void *data, uint32_t len) {
        DWORD written = 0;
        return WriteFile(h, data, len, &written, nullptr) && written == len;
    });
    return 0;
}
