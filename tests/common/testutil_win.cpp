#include "testutil_win.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "common/codepage_win.h"
#include "common/files_win.h"
#include "common/handles.h"
#include "common/seams.h"
#include "iconlib/icofile.h"

#include <shlwapi.h>

std::string TestOutputDir(const std::string &sub) {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string exe(buf, n);
    std::string bin = exe.substr(0, exe.find_last_of('\\'));
    std::string build = bin.substr(0, bin.find_last_of('\\'));
    std::string dir = build + "\\test-output";
    CreateDirectoryA(dir.c_str(), nullptr);
    size_t start = 0;
    while (start <= sub.size()) {
        size_t slash = sub.find('\\', start);
        std::string part = sub.substr(0, slash == std::string::npos ? sub.size() : slash);
        CreateDirectoryA((dir + "\\" + part).c_str(), nullptr);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return dir + "\\" + sub;
}

// Wide calls: a test may leave names the ANSI code page cannot write.
static void RemoveTree(const std::wstring &dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

static void RemoveTree(const std::string &dir) { RemoveTree(AnsiToWide(dir)); }

ScratchDir::ScratchDir(const std::string &name) {
    path_ = TestOutputDir("scratch\\" + name);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

static std::string GetEnv(const char *name) {
    char buf[2048];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

TempFolderScope::TempFolderScope(const std::string &folder) : oldTmp_(GetEnv("TMP")), oldTemp_(GetEnv("TEMP")) {
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
}

TempFolderScope::~TempFolderScope() {
    SetEnvironmentVariableA("TMP", oldTmp_.empty() ? nullptr : oldTmp_.c_str());
    SetEnvironmentVariableA("TEMP", oldTemp_.empty() ? nullptr : oldTemp_.c_str());
}

// A version 3 bottom-up bitmap at 24 bits, or at 32 bits with alpha(x, y)
// in each pixel's fourth byte.
static bool WriteDirectBmp(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel,
                           const std::function<uint8_t(int, int)> *alpha) {
    const int bytesPerPixel = alpha ? 4 : 3;
    size_t row = ((size_t)width * bytesPerPixel + 3) & ~(size_t)3;
    std::vector<uint8_t> file(54 + row * height, 0);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfSize = (DWORD)file.size();
    fh.bfOffBits = 54;
    BITMAPINFOHEADER ih = {};
    ih.biSize = 40;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = (WORD)(8 * bytesPerPixel);
    memcpy(&file[0], &fh, 14);
    memcpy(&file[14], &ih, 40);
    for (int y = 0; y < height; ++y) {
        uint8_t *p = &file[54 + row * (height - 1 - y)];
        for (int x = 0; x < width; ++x, p += bytesPerPixel) {
            COLORREF c = pixel(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
            if (alpha) p[3] = (*alpha)(x, y);
        }
    }
    return WriteBytes(path, file);
}

bool WriteBmp24(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel) {
    return WriteDirectBmp(path, width, height, pixel, nullptr);
}

bool WriteBmp32(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel,
                const std::function<uint8_t(int, int)> &alpha) {
    return WriteDirectBmp(path, width, height, pixel, &alpha);
}

std::vector<uint8_t> ReadFileBytes(const std::string &path) {
    std::vector<uint8_t> out;
    if (!ReadWholeFile(path, 1u << 30, &out)) out.clear();
    return out;
}

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) { return WriteWholeFile(path, bytes); }

BITMAPINFOHEADER TopDown32Header(int width, int height) {
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = -height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    return ih;
}

ScreenPixels GrabScreen(const RECT &area) {
    ScreenPixels out;
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return out;
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), w, h));
    {
        SelectObjectScope sel(dc.get(), bmp.get());
        BitBlt(dc.get(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY);
    }
    BITMAPINFOHEADER ih = TopDown32Header(w, h);
    std::vector<uint32_t> bgrx((size_t)w * h);
    if (!GetDIBits(dc.get(), bmp.get(), 0, h, bgrx.data(), (BITMAPINFO *)&ih, DIB_RGB_COLORS)) return out;
    out.width = w;
    out.height = h;
    out.pixels.reserve(bgrx.size());
    for (uint32_t p : bgrx) out.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return out;
}

bool SaveWindowShot(HWND window, const std::string &path) {
    UpdateWindow(window);
    // What was drawn straight on a window's context (a rubber band) reaches
    // the screen when the system flushes the window's surface, which it does
    // while the thread waits for messages, at most every 50 ms.
    GdiFlush();
    Sleep(60);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 60, QS_ALLINPUT);
    // What of the window is on the screen: a maximized window's frame lies
    // outside it, and a copy from the screen that reaches past its edges
    // gives nothing at all.
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    RECT r, screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    GetWindowRect(window, &r);
    if (!IntersectRect(&r, &r, &screen)) return false;
    ScreenPixels shot = GrabScreen(r);
    if (shot.pixels.empty()) return false;
    int w = shot.width, h = shot.height;
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    DWORD row = ((DWORD)w * 3 + 3) & ~3u;
    std::vector<uint8_t> pixels((size_t)row * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = shot.At(x, h - 1 - y);  // bottom-up rows
            uint8_t *p = &pixels[(size_t)y * row + (size_t)x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + (DWORD)pixels.size();
    std::vector<uint8_t> file(sizeof fh + sizeof ih + pixels.size());
    memcpy(file.data(), &fh, sizeof fh);
    memcpy(file.data() + sizeof fh, &ih, sizeof ih);
    memcpy(file.data() + sizeof fh + sizeof ih, pixels.data(), pixels.size());
    return WriteBytes(path, file);
}

bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

static std::vector<MessageRecord> g_calls;
static int g_answer = IDOK;

static int RecordMessage(HWND owner, const char *text, const char *caption, UINT flags) {
    g_calls.push_back({owner, text ? text : "", caption ? caption : "", flags});
    return g_answer;
}

MessageRecorder::MessageRecorder(int answer) {
    g_calls.clear();
    g_answer = answer;
    SetMessageBoxHandler(RecordMessage);
}

MessageRecorder::~MessageRecorder() { SetMessageBoxHandler(nullptr); }

const std::vector<MessageRecord> &MessageRecorder::calls() const { return g_calls; }

DialogWatcher::DialogWatcher() {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogWatcher::~DialogWatcher() {
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

std::vector<std::string> DialogWatcher::texts() const {
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = texts_;
    LeaveCriticalSection(&lock_);
    return copy;
}

static BOOL CALLBACK CloseOwnDialog(HWND hwnd, LPARAM lp) {
    auto *found = reinterpret_cast<std::vector<std::pair<HWND, std::string>> *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[32] = {0};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    char text[512] = {0};
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);  // a message box's text
    found->emplace_back(hwnd, text);
    return TRUE;
}

DWORD WINAPI DialogWatcher::Run(void *param) {
    DialogWatcher *self = static_cast<DialogWatcher *>(param);
    std::vector<HWND> closed;  // each box is recorded once, however long it takes to close
    while (!self->stop_) {
        std::vector<std::pair<HWND, std::string>> found;
        EnumWindows(CloseOwnDialog, reinterpret_cast<LPARAM>(&found));
        for (auto &f : found) {
            if (std::find(closed.begin(), closed.end(), f.first) != closed.end()) continue;
            closed.push_back(f.first);
            EnterCriticalSection(&self->lock_);
            self->texts_.push_back(f.second);
            LeaveCriticalSection(&self->lock_);
            PostMessageA(f.first, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
    }
    return 0;
}

namespace {
struct OwnWindowSearch {
    const char *className, *title;
    HWND found;
};

BOOL CALLBACK MatchOwnWindow(HWND hwnd, LPARAM lp) {
    auto *s = reinterpret_cast<OwnWindowSearch *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
    char cls[64] = {0}, text[256] = {0};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (strcmp(cls, s->className) != 0) return TRUE;
    if (s->title) {
        GetWindowTextA(hwnd, text, sizeof text);
        if (strcmp(text, s->title) != 0) return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindOwnWindow(const char *className, const char *title) {
    OwnWindowSearch search = {className, title, nullptr};
    EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Registry isolation: test code only, so the shipped modules never import
// RegOverridePredefKey.
static bool MapRoot(HKEY root, const char *scratch, const char *sub) {
    std::string path = std::string(scratch) + "\\" + sub;
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    UniqueRegKey key(raw);
    return RegOverridePredefKey(root, key.get()) == ERROR_SUCCESS;
}

bool IsolateRegistry(const char *scratchKey) {
    // Map the other roots first: once HKEY_CURRENT_USER is mapped, the scratch
    // key would be created inside itself.
    return MapRoot(HKEY_LOCAL_MACHINE, scratchKey, "HKLM") && MapRoot(HKEY_CLASSES_ROOT, scratchKey, "HKCR") &&
           MapRoot(HKEY_CURRENT_USER, scratchKey, "HKCU");
}

void RestoreRegistry(const char *scratchKey) {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, scratchKey);
}

RGBQUAD DecodedImage::Table(uint32_t i) const {
    RGBQUAD q;
    memcpy(&q, block + info.headerSize + 4 * i, 4);
    return q;
}

COLORREF DecodedImage::Pixel(int x, int y) const {
    const uint8_t *row = block + info.colorOffset + info.colorRowBytes * (info.height - 1 - y);
    uint32_t index;
    switch (info.bitCount) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: index = (x % 2) ? row[x / 2] & 15 : row[x / 2] >> 4; break;
    case 8: index = row[x]; break;
    case 24: return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    RGBQUAD q = Table(index);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

bool DecodedImage::Masked(int x, int y) const {
    return info.hasMask && (block[info.maskOffset + MaskByteIndex(info.width, info.height, x, y)] & MaskBitValue(x));
}

int DecodedImage::MaskedCount() const {
    int n = 0;
    for (int y = 0; y < info.height; ++y)
        for (int x = 0; x < info.width; ++x) n += Masked(x, y);
    return n;
}

uint8_t DecodedImage::Alpha(int x, int y) const {
    return block[info.colorOffset + info.colorRowBytes * (info.height - 1 - y) + 4 * x + 3];
}

int DecodedImage::AlphaCount(uint8_t value) const {
    int n = 0;
    for (int y = 0; y < info.height; ++y)
        for (int x = 0; x < info.width; ++x) n += Alpha(x, y) == value;
    return n;
}

bool ReadDecodedIcon(const std::string &path, DecodedIconFile *out, std::string *error) {
    out->bytes = ReadFileBytes(path);
    out->images.clear();
    if (!ParseIconDirectory(out->bytes.data(), out->bytes.size(), &out->dir, error)) return false;
    for (const IconDirEntry &e : out->dir.entries) {
        DecodedImage img;
        img.block = out->bytes.data() + e.offset;
        if (!ParseIconImage(img.block, e.bytes, &img.info, error)) return false;
        if (img.info.png) return *error = "a PNG image", false;
        out->images.push_back(img);
    }
    return true;
}

void WriteReadbackExpect(const std::string &iconPath) {
    DecodedIconFile f;
    std::string error;
    if (!ReadDecodedIcon(iconPath, &f, &error)) return;
    std::ofstream out(iconPath + ".expect");
    out << "type " << f.dir.type << "\n";
    for (size_t i = 0; i < f.images.size(); ++i) {
        const DecodedImage &img = f.images[i];
        int masked = img.MaskedCount();
        int clear = img.info.bitCount == 32 ? img.AlphaCount(0) : masked;
        out << "image " << img.info.width << " " << img.info.bitCount << " " << masked << " " << clear;
        const IconDirEntry &e = f.dir.entries[i];
        if (f.dir.type == kCursorType) out << " " << e.planes << " " << e.bitCount;  // the hot spot
        out << "\n";
    }
}

std::string SiblingProgram(const std::string &name) {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string self(buf, n);
    return self.substr(0, self.find_last_of('\\')) + "\\" + name;
}

ProgramRun RunProgramWide(const std::string &exe, const std::wstring &args, const std::string &cwd) {
    ProgramRun run;
    static int serial = 0;
    std::string log = TestOutputDir("scratch") + "\\run-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++serial) + ".log";
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    {
        UniqueFile out(CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out) return run;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = out.get();
        si.hStdInput = nullptr;
        std::wstring line = L"\"" + AnsiToWide(exe) + L"\" " + args;
        std::vector<wchar_t> cmd(line.begin(), line.end());
        cmd.push_back(L'\0');
        PROCESS_INFORMATION pi;
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            cwd.empty() ? nullptr : AnsiToWide(cwd).c_str(), &si, &pi))
            return run;
        UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
        DWORD started = GetTickCount();
        DWORD waited = WaitForSingleObject(process.get(), 120000);
        run.ms = GetTickCount() - started;
        GetExitCodeProcess(process.get(), &run.exitCode);
        if (waited != WAIT_OBJECT_0) run.exitCode = 0xFFFFFFFF;
    }
    // The output file is complete once nothing holds it open any more.
    for (int i = 0; i < 200; ++i) {
        UniqueFile whole(CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (whole) break;
        Sleep(25);
    }
    std::vector<uint8_t> bytes = ReadFileBytes(log);
    run.output.assign(bytes.begin(), bytes.end());
    DeleteFileA(log.c_str());
    return run;
}

ProgramRun RunProgram(const std::string &exe, const std::string &args, const std::string &cwd) {
    return RunProgramWide(exe, AnsiToWide(args), cwd);
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    SelectObjectScope select(dc.get(), bitmap);
    return GetPixel(dc.get(), x, y);
}

std::vector<std::string> FilesMatching(const std::string &pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}
