// Helpers of the Windows tests: scratch folders, bitmap files made in code,
// and a recorder for the message-box seam.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "iconlib/icofile.h"

// <build>\test-output\<sub>, created on demand (the build folder is the parent
// of the folder the test program runs from). Files left here are read back by
// readers nobody here wrote after the Windows tests have run.
std::string TestOutputDir(const std::string &sub);

// A fresh, empty folder under <build>\test-output\scratch, removed with its
// files at the end of the scope.
class ScratchDir {
public:
    explicit ScratchDir(const std::string &name);
    ~ScratchDir();
    const std::string &path() const { return path_; }
    std::string File(const std::string &name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Points the platform's temporary folder (TMP and TEMP) at a folder for one scope.
class TempFolderScope {
public:
    explicit TempFolderScope(const std::string &folder);
    ~TempFolderScope();

private:
    std::string oldTmp_, oldTemp_;
};

// Maps HKEY_CURRENT_USER (and HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT) of this
// process onto subkeys of a scratch key, so a test never touches the real
// settings. Returns false when the scratch key cannot be opened.
bool IsolateRegistry(const char *scratchKey);
// Undoes IsolateRegistry and deletes the scratch tree.
void RestoreRegistry(const char *scratchKey);

// Writes a version 3 bottom-up 24-bit bitmap whose pixel (x, y), y from the
// top, has the colour reference pixel(x, y).
bool WriteBmp24(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel);

// The same at 32 bits, with alpha(x, y) in each pixel's fourth byte.
bool WriteBmp32(const std::string &path, int width, int height, const std::function<COLORREF(int, int)> &pixel,
                const std::function<uint8_t(int, int)> &alpha);

// One image of an icon or cursor file, decoded through our own reader.
struct DecodedImage {
    IconImageInfo info;
    const uint8_t *block = nullptr;  // inside the file's bytes
    RGBQUAD Table(uint32_t i) const;
    COLORREF Pixel(int x, int y) const;  // y from the top; through the table below 24 bits
    bool Masked(int x, int y) const;
    int MaskedCount() const;
    uint8_t Alpha(int x, int y) const;  // the fourth byte of a 32-bit pixel
    int AlphaCount(uint8_t value) const;
};
struct DecodedIconFile {
    DecodedIconFile() = default;
    DecodedIconFile(DecodedIconFile &&) = default;  // the images point into bytes
    DecodedIconFile &operator=(DecodedIconFile &&) = default;
    std::vector<uint8_t> bytes;
    IconFileDirectory dir;
    std::vector<DecodedImage> images;
};
// False, with our reader's reason, when the file or an image is refused.
bool ReadDecodedIcon(const std::string &path, DecodedIconFile *out, std::string *error);

// Leaves NAME.expect beside an icon or cursor file kept for the readers that
// run after the Windows tests (tests/readback/check_icons.py): its type, then
// one line per image "image SIZE BITS MASKED CLEAR [HOTX HOTY]" as our reader
// sees it: masked pixels, pixels every reader must show fully transparent
// (alpha 0 at 32 bits, the masked ones below), and a cursor's hot spot.
void WriteReadbackExpect(const std::string &iconPath);

std::vector<uint8_t> ReadFileBytes(const std::string &path);

// A program of the build (beside the running test program) started as a
// user starts it, its output (stdout and stderr together) caught in a file:
// a pipe could be held open by a helper process the system starts.
struct ProgramRun {
    DWORD exitCode = 0xFFFFFFFF;  // also when it could not start or ran over two minutes
    DWORD ms = 0;                 // from the start of the process to its end
    std::string output;
    bool Says(const std::string &text) const { return output.find(text) != std::string::npos; }
};
std::string SiblingProgram(const std::string &name);
ProgramRun RunProgram(const std::string &exe, const std::string &args, const std::string &cwd = "");
// The same with the command line in UTF-16, as a shell hands it over.
ProgramRun RunProgramWide(const std::string &exe, const std::wstring &args, const std::string &cwd = "");
bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);

// What the screen shows in a rectangle (screen coordinates), pixel by pixel.
struct ScreenPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // rows from the top
    COLORREF At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};
ScreenPixels GrabScreen(const RECT &area);
// The header of a top-down 32-bit DIB (one BGRX word per pixel).
BITMAPINFOHEADER TopDown32Header(int width, int height);

// Copies what the screen shows of a window into a 24-bit .bmp file (kept in
// test-output so that a person can look at the window).
bool SaveWindowShot(HWND window, const std::string &path);
bool FileExists(const std::string &path);
// The names of the files (not folders) a FindFirstFile pattern matches, in
// the order the file system gives them.
std::vector<std::string> FilesMatching(const std::string &pattern);
// The colour of a pixel of a bitmap (not selected into any device context).
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);

// A visible top-level window of this process with the class and title (any
// title when null). Tests run side by side on one display, and FindWindowA
// would also find the other programs' windows.
HWND FindOwnWindow(const char *className, const char *title);

// Records every message box shown through the seam and answers with `answer`.
struct MessageRecord {
    HWND owner;
    std::string text, caption;
    UINT flags;
};
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = IDOK);
    ~MessageRecorder();
    const std::vector<MessageRecord> &calls() const;
};

// Watches this process's top-level dialog windows (message boxes shown by code
// the test cannot redirect, such as a DLL's own copy of the seams), records
// their text and closes them, so that a test never hangs on one.
class DialogWatcher {
public:
    DialogWatcher();
    ~DialogWatcher();
    std::vector<std::string> texts() const;

private:
    static DWORD WINAPI Run(void *self);
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    mutable CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
};
