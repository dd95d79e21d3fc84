// The video tool's hand-over: for a single video source, Convert starts
// GlypheryMedia on it, waits until the tool is gone and converts the frame
// the user grabbed in its place.
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>

#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "shell/mainwindow.h"
#include "shell/resource.h"
#include "shell/selection.h"
#include "shell/settings.h"

namespace {

const char kToolProgram[] = "GlypheryMedia.exe";
const char kToolClass[] = "#32770";
const char kToolTitle[] = "GlypheryMedia";
const DWORD kPollMs = 500;
// How long the tool may take to show its window once started (it builds a
// DirectShow graph first). The wait for the window ends sooner when the
// tool's process has ended without one (a clip it cannot play).
const DWORD kStartupMs = 60000;
// File times on FAT volumes have a resolution of two seconds.
const ULONGLONG kTimeSlack = 2 * 10000000ULL;

bool ToolWindowShown() { return FindWindowA(kToolClass, kToolTitle) != nullptr; }

bool ToolProcessRunning() {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        const char *name = entry.szExeFile;
        if (const char *slash = strrchr(name, '\\')) name = slash + 1;
        if (lstrcmpiA(name, kToolProgram) == 0) return true;
    }
    return false;
}

// Polls until the tool's window has come and gone (or the tool ended
// without one). The main window handles no messages meanwhile.
void WaitForTool() {
    Sleep(kPollMs);
    DWORD waited = kPollMs;
    bool seen = false;
    for (;;) {
        if (ToolWindowShown()) seen = true;
        else if (seen || waited >= kStartupMs || !ToolProcessRunning()) break;
        Sleep(kPollMs);
        waited += kPollMs;
    }
}

ULONGLONG Ticks(const FILETIME &t) { return (ULONGLONG)t.dwHighDateTime << 32 | t.dwLowDateTime; }

// The first frame of the video in the folder written since `since`: a frame
// an earlier run left there is not this grab.
bool FindGrabbedFrame(const std::string &folder, const std::string &video, ULONGLONG since, std::string *picture) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(GrabbedFramePattern(folder, video).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (Ticks(found.ftLastWriteTime) + kTimeSlack < since) continue;
        std::string path = CollapseBackslashes(folder + "\\" + found.cFileName);
        if (path.size() >= MAX_PATH) continue;
        *picture = path;
        ok = true;
    } while (!ok && FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

}  // namespace

bool PickVideoFrame(HWND owner, const std::string &video, std::string *picture) {
    MainWindowState &w = MainWindow();
    std::string temp = TempFolder();
    std::string tool = CollapseBackslashes(std::string(w.settings->installPath) + "\\" + kToolProgram);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    HINSTANCE started = ShellOpen(owner, "open", tool.c_str(), VideoToolParameters(video, temp).c_str(), nullptr,
                                  SW_SHOWNORMAL);
    if ((INT_PTR)started <= 32) {
        ShowMessage(owner, LoadText(w.instance, IDS_MEDIA_NOT_STARTED).c_str(), LoadText(w.instance, IDS_CAPTION).c_str(),
                    MB_OK | MB_ICONSTOP);
        return false;
    }
    WaitForTool();
    return FindGrabbedFrame(temp, video, Ticks(now), picture);
}
