#include "tests/acquire/twain_fixture.h"

#include <cstdio>
#include <fstream>

#include "common/seams.h"
#include "tests/acquire/testsource/testsource.h"
#include "tests/common/testutil_win.h"

namespace {

// The platform's source manager takes sources of its own bitness: from
// twain_32 in a 32-bit program, from twain_64 in a 64-bit one.
std::string SourceFolder() { return WindowsFolder() + (sizeof(void *) == 8 ? "\\twain_64" : "\\twain_32"); }
std::string InstalledPath() { return SourceFolder() + "\\sane.ds"; }
std::string SavedPath() { return InstalledPath() + ".glyphery-saved"; }

// The session loads the source manager from the Windows folder, where a
// 32-bit system keeps it. A 64-bit prefix (where the 64-bit build's tests
// run) has its manager only in the system folder: the tests put a copy where
// the session looks, once per prefix.
bool SourceManagerInPlace() {
    std::string wanted = WindowsFolder() + "\\TWAIN_32.DLL";
    if (FileExists(wanted)) return true;
    char system[MAX_PATH] = "";
    if (!GetSystemDirectoryA(system, MAX_PATH)) return false;
    return CopyFileA((std::string(system) + "\\twain_32.dll").c_str(), wanted.c_str(), TRUE) != FALSE;
}

}  // namespace

InstalledTestSource::InstalledTestSource() {
    CreateDirectoryA(SourceFolder().c_str(), nullptr);
    std::string ours = SiblingProgram("GYtestsource.ds");
    if (!SourceManagerInPlace()) {
        ok_ = false;
    } else if (ReadFileBytes(ours) == ReadFileBytes(InstalledPath())) {
        ok_ = true;
    } else {
        if (FileExists(InstalledPath()) && !FileExists(SavedPath()))
            CopyFileA(InstalledPath().c_str(), SavedPath().c_str(), FALSE);
        ok_ = CopyFileA(ours.c_str(), InstalledPath().c_str(), FALSE) != FALSE;
    }
    log_ = TestOutputDir("acquire") + "\\testsource.log";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("GY_TEST_DS_LOG", log_.c_str());
}

InstalledTestSource::~InstalledTestSource() { SetEnvironmentVariableA("GY_TEST_DS_LOG", nullptr); }

NoSourcesScope::NoSourcesScope() {
    ok_ = SourceManagerInPlace();
    for (const char *name : {"sane.ds", "gphoto2.ds"}) {
        std::string path = SourceFolder() + "\\" + name, saved = path + ".glyphery-saved";
        if (!FileExists(path)) continue;
        // The test source is never kept: only the platform's own file.
        if (!FileExists(saved) && ReadFileBytes(path) != ReadFileBytes(SiblingProgram("GYtestsource.ds")))
            CopyFileA(path.c_str(), saved.c_str(), FALSE);
        if (!DeleteFileA(path.c_str())) ok_ = false;
    }
}

NoSourcesScope::~NoSourcesScope() {
    for (const char *name : {"sane.ds", "gphoto2.ds"}) {
        std::string path = SourceFolder() + "\\" + name, saved = path + ".glyphery-saved";
        if (FileExists(saved)) CopyFileA(saved.c_str(), path.c_str(), FALSE);
    }
}

std::vector<std::string> InstalledTestSource::Log() const {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

EnvScope::EnvScope(const char *name, const char *value) : name_(name) { SetEnvironmentVariableA(name, value); }
EnvScope::~EnvScope() { SetEnvironmentVariableA(name_.c_str(), nullptr); }

namespace {
const char kHandOverClass[] = "GlypheryHandOverTest";
}

HandOverWindow::HandOverWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHandOverClass;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowA(kHandOverClass, "hand-over", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, (LONG_PTR)this);
}

HandOverWindow::~HandOverWindow() { DestroyWindow(hwnd_); }

LRESULT CALLBACK HandOverWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HandOverWindow *self = (HandOverWindow *)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (msg != WM_USER || !self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    HandedPicture picture;
    HGLOBAL dib = (HGLOBAL)wParam;
    const BITMAPINFOHEADER *h = dib ? static_cast<const BITMAPINFOHEADER *>(GlobalLock(dib)) : nullptr;
    if (h) {
        picture.present = true;
        picture.width = h->biWidth;
        picture.height = h->biHeight;
        picture.bits = h->biBitCount;
        if (h->biBitCount == 24 && h->biWidth > 0 && h->biHeight > 0) {
            const BYTE *bits = reinterpret_cast<const BYTE *>(h) + h->biSize;
            int stride = (h->biWidth * 3 + 3) & ~3;
            for (int y = 0; y < h->biHeight; ++y) {
                const BYTE *row = bits + (size_t)(h->biHeight - 1 - y) * stride;
                for (int x = 0; x < h->biWidth; ++x)
                    picture.pixels.push_back(RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]));
            }
        }
        GlobalUnlock(dib);
    }
    // The receiver owns the picture.
    if (dib) GlobalFree(dib);
    self->pictures_.push_back(picture);
    return 0;
}

namespace {
int g_button;
void CALLBACK ClickWhenShown(HWND, UINT, UINT_PTR id, DWORD) {
    HWND ui = FindOwnWindow(kTestSourceClass, nullptr);
    if (!ui) return;
    KillTimer(nullptr, id);
    SaveWindowShot(ui, TestOutputDir("acquire") + "\\test_source_ui.bmp");
    PostMessageA(GetDlgItem(ui, g_button), BM_CLICK, 0, 0);
}
void CALLBACK Quit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(7);
}
}  // namespace

void ClickSourceButtonWhenShown(int buttonId) {
    g_button = buttonId;
    SetTimer(nullptr, 0, 50, ClickWhenShown);
}

void QuitAfter(UINT ms) { SetTimer(nullptr, 0, ms, Quit); }

namespace {
// The platform registers the class as a local service only; the in-process
// server added beside it is taken first by callers that accept both. (The
// platform's class root does not see the current user's classes.)
const char kServerKey[] = "Software\\Classes\\CLSID\\{a1f4e726-8cf1-11d1-bf92-0060081ed811}\\InprocServer32";
}

RegisteredTestDeviceManager::RegisteredTestDeviceManager() {
    std::string dll = SiblingProgram("GYtestwia.dll");
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
        return;
    ok_ = RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE *)dll.c_str(), (DWORD)dll.size() + 1) == 0 &&
          RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, (const BYTE *)"Both", 5) == 0;
    RegCloseKey(key);
}

RegisteredTestDeviceManager::~RegisteredTestDeviceManager() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServerKey);
}
