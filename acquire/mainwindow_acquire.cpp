// The main window's acquisition commands: the TWAIN session started by
// Convert with "Create from scanner", the scanner module (GYscan.dll), the
// camera (GYphotograbber.dll) and the screen capture, and the messages they
// send back to the main window (the TWAIN hand-over, the capture's hot keys).
#include <windows.h>

#include <string>

#include "acquire/capture_win.h"
#include "acquire/mainwindow_acquire.h"
#include "acquire/resource.h"
#include "acquire/twain_session.h"
#include "common/handles.h"
#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gydib.h"
#include "contracts/gyphotograbber.h"
#include "contracts/gyscan.h"
#include "conversion/driver_win.h"
#include "conversion/formatpanel_win.h"
#include "conversion/formatset.h"
#include "shell/mainwindow.h"
#include "shell/resource.h"
#include "shell/settings.h"

namespace {

std::string Text(UINT id) { return LoadText(MainWindow().instance, id); }

void IssueConvert() {
    MainWindowState &w = MainWindow();
    SendMessageA(w.panel, WM_COMMAND, MAKEWPARAM(IDC_CONVERT, BN_CLICKED), 0);
}

// A scan that left no picture converts nothing: an older "fl1.bmp" must not
// pass for this scan's.
void ForgetLastScan() { DeleteFileA(MainWindow().scannedPath); }

void ScanDone() {
    MainWindowState &w = MainWindow();
    if (GetFileAttributesA(w.scannedPath) == INVALID_FILE_ATTRIBUTES) return;
    w.scannedPending = true;
    IssueConvert();
}

// The scanner module, loaded for one command.
class ScannerModule {
public:
    ScannerModule() : library_(LoadLibraryA("GYscan.dll")) {}
    template <typename P> P Entry(const char *nameOrOrdinal) const {
        return library_ ? reinterpret_cast<P>(GetProcAddress(library_.get(), nameOrOrdinal)) : nullptr;
    }
    // Ordinal 26: whether a TWAIN device exists; without one, the message.
    bool DevicePresent(HWND owner) const {
        ScanHasDeviceProc has = Entry<ScanHasDeviceProc>(MAKEINTRESOURCEA(kScanHasDeviceOrdinal));
        if (has && has() != 0) return true;
        ShowMessage(owner, Text(IDS_TW_NO_DEVICE).c_str(), Text(IDS_CAPTION).c_str(), MB_OK | MB_ICONERROR);
        return false;
    }

private:
    UniqueModule library_;
};

}  // namespace

void OnSelectSource(HWND owner) {
    ScannerModule scanner;
    if (!scanner.DevicePresent(owner)) return;
    ScanSelectSourceProc select = scanner.Entry<ScanSelectSourceProc>(MAKEINTRESOURCEA(kScanSelectSourceOrdinal));
    if (select) select(owner);
}

void OnScanGlyphery(HWND owner) {
    MainWindowState &w = MainWindow();
    if (!FormatsChosen(w.panel, owner)) return;
    ScannerModule scanner;
    if (!scanner.DevicePresent(owner)) return;
    ScanContinueProc goOn = scanner.Entry<ScanContinueProc>(MAKEINTRESOURCEA(kScanContinueOrdinal));
    ScanToFileProc scan = scanner.Entry<ScanToFileProc>(MAKEINTRESOURCEA(kScanToFileOrdinal));
    if (!goOn || !scan || goOn() == 0) return;
    std::string path = CollapseBackslashes(TempFolder() + "\\fl1.bmp");
    ForgetLastScan();
    scan(owner, path.c_str());
    ScanDone();
}

void OnScanModule(HWND owner) {
    MainWindowState &w = MainWindow();
    if (!FormatsChosen(w.panel, owner)) return;
    ScannerModule scanner;
    ScanDoScanProc doScan = scanner.Entry<ScanDoScanProc>("do_scan");
    if (!doScan) return;
    ForgetLastScan();
    doScan(owner);
    ScanDone();
}

void OnCamera(HWND owner) {
    MainWindowState &w = MainWindow();
    if (!FormatsChosen(w.panel, owner)) return;
    UniqueModule library(LoadLibraryA("GYphotograbber.dll"));
    GrabOnePhotoProc grab =
        library ? reinterpret_cast<GrabOnePhotoProc>(GetProcAddress(library.get(), "grab_one_photo")) : nullptr;
    if (!grab) return;
    char path[MAX_PATH] = "";
    grab(owner, w.settings->pathSave, path);
    path[MAX_PATH - 1] = '\0';
    if (!path[0]) return;
    lstrcpynA(w.cameraPath, path, sizeof w.cameraPath);
    w.cameraPending = true;
    IssueConvert();
}

void AcquireFromScanner(HWND owner) {
    ForgetLastScan();
    RunAcquisition(owner);
}

void OnTwainHandOver(HWND owner, HGLOBAL picture) {
    MainWindowState &w = MainWindow();
    if (!picture) return;  // a cancelled or failed transfer
    bool saved = SaveDIB(picture, w.scannedPath) != FALSE;
    GlobalFree(picture);  // the hand-over gave it to us
    if (saved) ScanDone();
}

void OnScreenCapture(HWND owner) {
    MainWindowState &w = MainWindow();
    if (CaptureActive() || !FormatsChosen(w.panel, owner)) return;
    if (ShowCaptureDialog(owner, w.instance, w.settings, w.captureName, sizeof w.captureName) != 1) return;
    StartCapture(owner, (int)w.settings->capture_size, (int)w.settings->capture_zoom_size);
}

namespace {

// The 48 x 48 copy of a capture that the display window opens.
std::string CapturedProfilePath() { return CollapseBackslashes(TempFolder() + "\\captemp.bmp"); }

void BackToMainWindow(HWND main) {
    SetActiveWindow(main);
    SetFocus(main);
}

// The captured picture as the kind of the create-as list asks. Returns true
// when the 48 x 48 copy of a profile picture waits to be shown.
bool ConvertCapture(const std::string &saved) {
    MainWindowState &w = MainWindow();
    int kind = KindFromCreateAsList(w.panel);
    if (kind == kCreateIcon || kind == kCreateCursor) {
        lstrcpynA(w.capturePath, saved.c_str(), sizeof w.capturePath);
        w.capturePending = true;
        IssueConvert();  // which shows its result as after any conversion
    } else if (kind == kCreateProfile) {
        bool unreadable = false;
        std::string reason;
        return WriteSampled48(saved, CapturedProfilePath(), 0, &unreadable, &reason);
    }
    return false;
}

}  // namespace

void OnCaptureHotKey(HWND main, int id) {
    if (!CaptureActive()) return;
    if (id == kCaptureCancelHotKey) {
        CancelCapture(main);
        BackToMainWindow(main);
        return;
    }
    if (id != kCaptureTakeHotKey) return;
    UniqueHandle<HGLOBAL, GlobalTraits> dib(TakeCapture(main));
    if (!dib) return;
    MainWindowState &w = MainWindow();
    std::string saved = CollapseBackslashes(TempFolder() + "\\" + w.captureName + ".bmp");
    bool show = SaveDIB(dib.get(), saved.c_str()) && ConvertCapture(saved);
    DeleteFileA(saved.c_str());
    BackToMainWindow(main);
    if (show) ShowCapturedPicture(main, CapturedProfilePath());
}
