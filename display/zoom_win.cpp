#include "display/zoom_win.h"

#include "common/paths.h"
#include "common/seams.h"

namespace {

// The library's entries by ordinal: 1 opens the magnifier on a window
// (owner, reserved 0, grid) or closes it (null owner), 2 shows or hides it,
// 3 sets its size, offset from the cursor, arrow-key step and enlargement,
// 4 makes it follow the mouse or stay, 6 freezes (0) or renews its picture.
typedef HWND(WINAPI *ZoomAttach)(HWND, int, int);
typedef int(WINAPI *ZoomShow)(int);
typedef int(WINAPI *ZoomPlace)(int, int, int, int, int, int);
typedef int(WINAPI *ZoomFollow)(int);
typedef int(WINAPI *ZoomRelease)(int);

template <typename F>
F Entry(HMODULE module, int ordinal) {
    return reinterpret_cast<F>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

}  // namespace

bool Magnifier::Start(HWND parent, bool grid) {
    Stop();
    UniqueModule module(LoadLibraryA(CollapseBackslashes(InstallFolder() + "\\GYzoom.dll").c_str()));
    if (!module) return false;
    ZoomAttach attach = Entry<ZoomAttach>(module.get(), 1);
    ZoomShow show = Entry<ZoomShow>(module.get(), 2);
    ZoomPlace place = Entry<ZoomPlace>(module.get(), 3);
    ZoomFollow follow = Entry<ZoomFollow>(module.get(), 4);
    ZoomRelease release = Entry<ZoomRelease>(module.get(), 6);
    if (!attach || !show || !place || !follow || !release) return false;
    attach(parent, 0, grid ? 1 : 0);
    place(50, 50, 80, 80, 2, 5);
    follow(1);
    show(1);
    module_ = std::move(module);
    return true;
}

void Magnifier::Stop() {
    if (!module_) return;
    HMODULE m = module_.get();
    Entry<ZoomRelease>(m, 6)(0);
    Entry<ZoomFollow>(m, 4)(0);
    Entry<ZoomShow>(m, 2)(0);
    Entry<ZoomAttach>(m, 1)(nullptr, 0, 0);
    module_.reset();
}
