// GYscan.dll: the scanner module (contracts/gyscan.h). Each scan is one TWAIN
// session (acquire/twain_session.h) whose pictures reach a hidden window of
// the module, which writes the last one to the requested .bmp file.
#include <windows.h>

#include <cstring>
#include <string>

#include "acquire/twain_session.h"
#include "common/paths.h"
#include "common/seams.h"
#include "contracts/gydib.h"
#include "contracts/gyscan.h"

namespace {

const char kReceiverClass[] = "GYscanReceiver";
HINSTANCE g_module;

struct Receiver {
    std::string path;
    bool written = false;
};

LRESULT CALLBACK ReceiverProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kTwainHandOver) return DefWindowProcA(window, msg, wParam, lParam);
    Receiver *r = (Receiver *)GetWindowLongPtrA(window, GWLP_USERDATA);
    HGLOBAL picture = (HGLOBAL)wParam;
    if (!picture) return 0;
    if (r && SaveDIB(picture, r->path.c_str())) r->written = true;
    GlobalFree(picture);  // handed over to us
    return 0;
}

// A hidden window owned by the caller's, parent of the session: the source's
// interface and the session's messages sit over the caller's window.
HWND CreateReceiver(HWND owner, Receiver *r) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = g_module;
    wc.lpszClassName = kReceiverClass;
    RegisterClassA(&wc);  // fails harmlessly once registered
    HWND window = CreateWindowA(kReceiverClass, "", WS_POPUP, 0, 0, 0, 0, IsWindow(owner) ? owner : nullptr, nullptr,
                                g_module, nullptr);
    if (window) SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)r);
    return window;
}

}  // namespace

extern "C" {

int WINAPI ScanHasDevice(void) {
    Receiver none;
    HWND window = CreateReceiver(nullptr, &none);
    int found = AnySourceInstalled(window);
    DestroyWindow(window);
    return found;
}

int WINAPI ScanSelectSource(HWND window) { return SelectSource(window); }

// Nothing to ask before a scan: the source's own interface lets the user cancel.
int WINAPI ScanContinue(void) { return 1; }

int WINAPI ScanToFile(HWND window, const char *path) {
    if (!path || !path[0] || strlen(path) >= MAX_PATH) return 0;
    Receiver r;
    r.path = path;
    HWND receiver = CreateReceiver(window, &r);
    if (!receiver) return 0;
    RunAcquisition(receiver);
    DestroyWindow(receiver);
    return r.written ? 1 : 0;
}

int WINAPI do_scan(HWND window) {
    std::string path = CollapseBackslashes(TempFolder() + "\\fl1.bmp");
    return ScanToFile(window, path.c_str());
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}
