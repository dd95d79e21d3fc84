#include "display/zoom_win.h"

#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gyzoom.h"

namespace {

template <typename F>
F Entry(HMODULE module, int ordinal) {
    return reinterpret_cast<F>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

}  // namespace

bool Magnifier::Start(HWND parent, bool grid) {
    Stop();
    UniqueModule module(LoadLibraryA(CollapseBackslashes(InstallFolder() + "\\GYzoom.dll").c_str()));
    if (!module) return false;
    ZoomWindowProc open = Entry<ZoomWindowProc>(module.get(), kZoomWindowOrdinal);
    ZoomShowProc show = Entry<ZoomShowProc>(module.get(), kZoomShowOrdinal);
    ZoomSetupProc setup = Entry<ZoomSetupProc>(module.get(), kZoomSetupOrdinal);
    ZoomFollowProc follow = Entry<ZoomFollowProc>(module.get(), kZoomFollowOrdinal);
    ZoomRefreshProc refresh = Entry<ZoomRefreshProc>(module.get(), kZoomRefreshOrdinal);
    if (!open || !show || !setup || !follow || !refresh) return false;
    // A 50 x 50 window 80 pixels off the cursor, 5 times enlarged.
    open(parent, 0, grid ? 1 : 0);
    setup(50, 50, 80, 80, 2, 5);
    follow(1);
    show(1);
    module_ = std::move(module);
    return true;
}

void Magnifier::Stop() {
    if (!module_) return;
    HMODULE m = module_.get();
    Entry<ZoomRefreshProc>(m, kZoomRefreshOrdinal)(0);
    Entry<ZoomFollowProc>(m, kZoomFollowOrdinal)(0);
    Entry<ZoomShowProc>(m, kZoomShowOrdinal)(0);
    Entry<ZoomWindowProc>(m, kZoomWindowOrdinal)(nullptr, 0, 0);
    module_.reset();
}
