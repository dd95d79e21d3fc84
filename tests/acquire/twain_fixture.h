// The test TWAIN source installed where the platform's source manager looks
// for sources, for one scope, and a window that receives the session's
// hand-overs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Copies the build's GYtestsource.ds over <Windows>\twain_32\sane.ds (the
// prefix's own file is kept beside it), unless it is there already: the
// platform's source manager keeps a source it loaded until the process ends,
// so the file can change only before the first acquisition of a process.
// The source's log (one line per triplet) goes to a file of the scope.
class InstalledTestSource {
public:
    InstalledTestSource();
    ~InstalledTestSource();
    bool ok() const { return ok_; }
    std::vector<std::string> Log() const;

private:
    std::string log_;
    bool ok_ = false;
};

// Takes every source out of the prefix's source folder (ours and the
// platform's own, kept beside them) for one scope, before the process's first
// acquisition; the platform's own come back at the end.
class NoSourcesScope {
public:
    NoSourcesScope();
    ~NoSourcesScope();
    bool ok() const { return ok_; }

private:
    bool ok_ = true;
};

// Sets a variable of this process's environment for one scope (the test
// source reads its behaviour from there).
class EnvScope {
public:
    EnvScope(const char *name, const char *value);
    ~EnvScope();

private:
    std::string name_;
};

// A hidden top-level window that keeps what each WM_USER hand-over brought:
// the picture's size and pixels (y from the top) or nothing.
struct HandedPicture {
    bool present = false;
    int width = 0, height = 0, bits = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};
class HandOverWindow {
public:
    HandOverWindow();
    ~HandOverWindow();
    HWND hwnd() const { return hwnd_; }
    const std::vector<HandedPicture> &pictures() const { return pictures_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<HandedPicture> pictures_;
};

// Clicks a button of the test source's interface once it is shown: from a
// timer of this thread, which the session's message loop dispatches.
void ClickSourceButtonWhenShown(int buttonId);
// Posts WM_QUIT after `ms` milliseconds (a guard against a session that never ends).
void QuitAfter(UINT ms);

// The test device manager (GYtestwia.dll) registered in the prefix as the
// in-process server of the image acquisition service's device manager, for
// one scope.
class RegisteredTestDeviceManager {
public:
    RegisteredTestDeviceManager();
    ~RegisteredTestDeviceManager();
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};
