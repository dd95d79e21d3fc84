#include "testutil_win.h"

#include <algorithm>
#include <cstring>

#include "common/codepage_win.h"
#include "common/handles.h"
#include "common/seams.h"

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

bool WriteBmp24(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel) {
    size_t row = ((size_t)width * 3 + 3) & ~(size_t)3;
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
    ih.biBitCount = 24;
    memcpy(&file[0], &fh, 14);
    memcpy(&file[14], &ih, 40);
    for (int y = 0; y < height; ++y) {
        uint8_t *p = &file[54 + row * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            p[3 * x] = GetBValue(c);
            p[3 * x + 1] = GetGValue(c);
            p[3 * x + 2] = GetRValue(c);
        }
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, file.data(), (DWORD)file.size(), &written, nullptr);
    CloseHandle(h);
    return ok && written == file.size();
}

std::vector<uint8_t> ReadFileBytes(const std::string &path) {
    std::vector<uint8_t> out;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    DWORD size = GetFileSize(h, nullptr);
    out.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(h, out.data(), size, &got, nullptr)) got = 0;
    out.resize(got);
    CloseHandle(h);
    return out;
}

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
    UniqueFile f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n = 0;
    return f && WriteFile(f.get(), bytes.data(), (DWORD)bytes.size(), &n, nullptr) && n == bytes.size();
}

bool SaveWindowShot(HWND window, const std::string &path) {
    UpdateWindow(window);
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    WindowDC screen(nullptr);
    UniqueMemDC dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), w, h));
    {
        SelectObjectScope sel(dc.get(), bmp.get());
        BitBlt(dc.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    DWORD row = ((DWORD)w * 3 + 3) & ~3u;
    std::vector<uint8_t> pixels((size_t)row * h);
    if (!GetDIBits(dc.get(), bmp.get(), 0, h, pixels.data(), (BITMAPINFO *)&ih, DIB_RGB_COLORS)) return false;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + (DWORD)pixels.size();
    std::vector<uint8_t> file((const uint8_t *)&fh, (const uint8_t *)&fh + sizeof fh);
    file.insert(file.end(), (const uint8_t *)&ih, (const uint8_t *)&ih + sizeof ih);
    file.insert(file.end(), pixels.begin(), pixels.end());
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
