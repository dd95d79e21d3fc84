// SaveANI: an animated cursor from the frame icon files listed, in order, in
// the list box 1398 of a window.
//
// The file is RIFF "ACON": an "anih" header (flag: the frames are icon file
// images; one step per frame, shown in frame order, so no "seq " chunk), an
// "INFO" list with the title ("INAM") and author ("IART") when given, and the
// frames' file images, unchanged, as "icon" chunks of a "fram" list. Every
// step shows for the header's rate, so no "rate" chunk is written either.
//
// A speed of 0 (or below) is stored as 5 jiffies: the builder's preview plays
// a speed of 0 at 5, and a rate of 0 would ask for a frame that shows for no
// time at all. Any other speed is stored as given.
//
// A frame file that cannot be read, or is not a sound .ico/.cur file, is left
// out; with no frame left nothing is written and the result is FALSE. The
// file is written whole or not at all: a failed write removes it.
#include <windows.h>

#include <string>
#include <vector>

#include "common/files_win.h"
#include "contracts/gydib.h"
#include "iconlib/icofile.h"
#include "iconres/anifile.h"

namespace {

const int kFramePathList = 1398;
const DWORD kMaxFrameFileSize = 16u << 20;

bool ReadFrameFile(const char *path, std::vector<uint8_t> *out) {
    if (!ReadWholeFile(path, kMaxFrameFileSize, out) || out->empty()) return false;
    IconFileDirectory dir;
    std::string error;
    return ParseIconDirectory(out->data(), out->size(), &dir, &error) && !dir.entries.empty();
}

}  // namespace

extern "C" BOOL WINAPI SaveANI(HWND window, const char *path, int frames, int rate, const char *title,
                               const char *author) {
    HWND list = GetDlgItem(window, kFramePathList);
    if (!list || !path || !*path || frames <= 0) return FALSE;
    LRESULT listed = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (listed == LB_ERR) return FALSE;
    int count = frames < (int)listed ? frames : (int)listed;

    AniWriteSpec spec;
    for (int i = 0; i < count; ++i) {
        LRESULT len = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)i, 0);
        if (len == LB_ERR || len >= MAX_PATH) continue;
        char framePath[MAX_PATH] = {0};
        SendMessageA(list, LB_GETTEXT, (WPARAM)i, (LPARAM)framePath);
        std::vector<uint8_t> bytes;
        if (ReadFrameFile(framePath, &bytes)) spec.frames.push_back(std::move(bytes));
    }
    if (spec.frames.empty()) return FALSE;
    spec.rate = rate > 0 ? (uint32_t)rate : kAniDefaultSpeed;
    spec.title = title ? title : "";
    spec.author = author ? author : "";
    return WriteWholeFile(path, BuildAniFile(spec)) ? TRUE : FALSE;
}
