// GYphotograbber.dll (contracts/gyphotograbber.h): the platform's image
// acquisition service through COM. The device manager (CLSID_WiaDevMgr)
// lists the devices and runs the service's own dialog that takes a picture
// from a camera into a file.
#include <windows.h>
#include <objbase.h>
#include <wia.h>

#include <cstdio>
#include <string>

#include "common/comref.h"
#include "common/paths.h"
#include "contracts/gyphotograbber.h"

namespace {

// The service's identifiers (mingw-w64 declares them without a library).
const CLSID kClsidWiaDevMgr = {0xa1f4e726, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaDevMgr = {0x5eb2502a, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
GUID kWiaImgFmtBmp = {0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
const LONG kCameraDevice = 2;  // StiDeviceTypeDigitalCamera
const LONG kEnumLocal = 0x10;  // WIA_DEVINFO_ENUM_LOCAL

bool OpenDeviceManager(ComRef<IWiaDevMgr> *manager) {
    return SUCCEEDED(CoCreateInstance(kClsidWiaDevMgr, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                      kIidWiaDevMgr, manager->outVoid())) &&
           manager->get();
}

// "<folder>\photo_YYYYMMDD_HHMMSS.bmp", or "" when it would not fit.
std::string PhotoPath(const char *folder) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char name[64];
    snprintf(name, sizeof name, "\\photo_%04u%02u%02u_%02u%02u%02u.bmp", t.wYear, t.wMonth, t.wDay, t.wHour,
             t.wMinute, t.wSecond);
    std::string path = CollapseBackslashes(std::string(folder) + name);
    return path.size() < MAX_PATH ? path : std::string();
}

}  // namespace

extern "C" {

int WINAPI is_WIA(void) {
    ComScope com;
    ComRef<IWiaDevMgr> manager;
    if (!OpenDeviceManager(&manager)) return 0;
    ComRef<IEnumWIA_DEV_INFO> devices;
    if (FAILED(manager->EnumDeviceInfo(kEnumLocal, devices.out())) || !devices.get()) return 0;
    ULONG count = 0;
    if (FAILED(devices->GetCount(&count))) return 0;
    return count > 0 ? 1 : 0;
}

int WINAPI grab_one_photo(HWND window, const char *folder, char *path) {
    if (!path) return 0;
    path[0] = '\0';
    if (!folder || !folder[0]) return 0;
    std::string target = PhotoPath(folder);
    if (target.empty()) return 0;
    ComScope com;
    ComRef<IWiaDevMgr> manager;
    if (!OpenDeviceManager(&manager)) return 0;
    std::wstring wide(target.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, &wide[0], (int)wide.size());
    if (n <= 0) return 0;
    BSTR file = SysAllocString(wide.c_str());
    if (!file) return 0;
    GUID format = kWiaImgFmtBmp;
    HRESULT hr = manager->GetImageDlg(window, kCameraDevice, 0, 0, nullptr, file, &format);
    SysFreeString(file);
    // S_FALSE: the user cancelled the dialog.
    if (hr != S_OK || GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
    lstrcpynA(path, target.c_str(), MAX_PATH);
    return 1;
}

}  // extern "C"
