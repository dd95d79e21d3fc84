#include "editor/startup_win.h"

#include <cstring>

#include "common/files_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/resource.h"
#include "iconlib/icofile.h"

bool ReadIconShapes(const char *path, std::vector<ImageShape> *images) {
    images->clear();
    std::vector<uint8_t> bytes;
    if (!path[0] || !ReadWholeFile(path, kMaxIconFileBytes, &bytes)) return false;
    IconFileDirectory dir;
    std::string error;
    if (!ParseIconDirectory(bytes.data(), bytes.size(), &dir, &error)) return false;
    for (const IconDirEntry &e : dir.entries) {
        IconImageInfo info;
        if (!ParseIconImage(bytes.data() + e.offset, e.bytes, &info, &error)) {
            images->clear();
            return false;
        }
        // A compressed image whose header gives no size counts at its
        // directory size (0 there means 256).
        uint32_t width = info.width ? (uint32_t)info.width : (e.width ? e.width : 256);
        uint32_t height = info.height ? (uint32_t)info.height : (e.height ? e.height : 256);
        uint32_t bits = info.bitCount ? info.bitCount : 32;
        images->push_back({width, height, bits});
    }
    return !images->empty();
}

bool PrepareSession(HINSTANCE instance, const char *commandLine, EditorSession *session) {
    memset(session->iconPath, 0, sizeof(session->iconPath));
    memset(&session->settings, 0, sizeof(session->settings));
    memset(&session->install, 0, sizeof(session->install));
    session->images.clear();
    session->working = WorkingSize();

    std::string scratch = CollapseBackslashes(TempFolder() + "\\GY.bmp");
    CopyBounded(session->scratchBitmap, sizeof(session->scratchBitmap), scratch);
    session->settingsKey = LoadEditorSettings(&session->settings, &session->install);

    std::string title = LoadText(instance, IDS_TITLE);
    if (!IconPathFromCommandLine(commandLine, session->iconPath, sizeof(session->iconPath))) {
        ShowMessage(nullptr, LoadText(instance, IDS_OUTSIDE).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    if (!ReadIconShapes(session->iconPath, &session->images)) {
        ShowMessage(nullptr, LoadText(instance, IDS_CANNOT_READ).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    session->working = ComputeWorkingSize(session->images);
    // The frame opens at the screen's origin, as large as the working size,
    // until it is maximized.
    session->settings.x = session->settings.y = 0;
    session->settings.cx = session->settings.cy = session->working.size;
    return true;
}
