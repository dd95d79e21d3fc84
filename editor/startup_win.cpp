#include "editor/startup_win.h"

#include <cstring>

#include "common/files_win.h"
#include "common/paths.h"
#include "common/seams.h"
#include "common/windowutil.h"
#include "editor/picture_win.h"
#include "editor/resource.h"
#include "iconlib/icofile.h"

bool ReadIconFile(const char *path, IconFileData *file) {
    *file = IconFileData();
    if (!path[0] || !ReadWholeFile(path, kMaxIconFileBytes, &file->bytes)) return false;
    std::string error;
    if (!ParseIconDirectory(file->bytes.data(), file->bytes.size(), &file->directory, &error)) {
        *file = IconFileData();
        return false;
    }
    for (const IconDirEntry &e : file->directory.entries) {
        IconImageInfo info;
        if (!ParseIconImage(file->bytes.data() + e.offset, e.bytes, &info, &error)) {
            *file = IconFileData();
            return false;
        }
        // A compressed image whose header gives no size counts at its
        // directory size (0 there means 256).
        uint32_t width = info.width ? (uint32_t)info.width : (e.width ? e.width : 256);
        uint32_t height = info.height ? (uint32_t)info.height : (e.height ? e.height : 256);
        uint32_t bits = info.bitCount ? info.bitCount : 32;
        file->shapes.push_back({width, height, bits});
        file->png.push_back(info.png);
    }
    if (file->shapes.empty()) *file = IconFileData();
    return !file->shapes.empty();
}

bool PrepareSession(HINSTANCE instance, const char *commandLine, EditorSession *session) {
    memset(session->iconPath, 0, sizeof(session->iconPath));
    memset(&session->settings, 0, sizeof(session->settings));
    memset(&session->install, 0, sizeof(session->install));
    session->images.clear();
    session->file = IconFileData();
    session->working = WorkingSize();

    std::string scratch = CollapseBackslashes(TempFolder() + "\\GY.bmp");
    CopyBounded(session->scratchBitmap, sizeof(session->scratchBitmap), scratch);
    session->settingsKey = LoadEditorSettings(&session->settings, &session->install);

    std::string title = LoadText(instance, IDS_TITLE);
    if (!IconPathFromCommandLine(commandLine, session->iconPath, sizeof(session->iconPath))) {
        ShowMessage(nullptr, LoadText(instance, IDS_OUTSIDE).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    if (!ReadIconFile(session->iconPath, &session->file) || !LoadEditorIcon(session->file, &TheIcon())) {
        ShowMessage(nullptr, LoadText(instance, IDS_CANNOT_READ).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    // The images edited: the first kMaxEditorImages (the others are kept as
    // stored and count for nothing here).
    size_t edited = session->file.shapes.size() < kMaxEditorImages ? session->file.shapes.size() : kMaxEditorImages;
    session->images.assign(session->file.shapes.begin(), session->file.shapes.begin() + edited);
    session->working = ComputeWorkingSize(session->images);
    // The frame opens at the screen's origin, as large as the working size,
    // until it is maximized.
    session->settings.x = session->settings.y = 0;
    session->settings.cx = session->settings.cy = session->working.size;
    return true;
}
