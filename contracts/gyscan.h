// GYscan.dll: the scanner module. It acquires through the platform's TWAIN
// source manager, as the main program's own session does. Callers take the
// entries by ordinal, and do_scan by name:
//   26  ScanHasDevice()                 non-zero when a TWAIN source is installed
//   38  ScanSelectSource(window)        lets the user choose the default source
//   35  ScanContinue()                  non-zero when the scan should go on
//    4  ScanToFile(window, path)        scans one picture into a .bmp file
//       do_scan(window)                 scans into "fl1.bmp" of the temporary folder
// The scanning calls return once the source has closed: 1 when a picture was
// written, else 0 (cancelled, failed, or no source).
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

int WINAPI ScanHasDevice(void);
int WINAPI ScanSelectSource(HWND window);
int WINAPI ScanContinue(void);
int WINAPI ScanToFile(HWND window, const char *path);
int WINAPI do_scan(HWND window);

typedef int(WINAPI *ScanHasDeviceProc)(void);
typedef int(WINAPI *ScanSelectSourceProc)(HWND window);
typedef int(WINAPI *ScanContinueProc)(void);
typedef int(WINAPI *ScanToFileProc)(HWND window, const char *path);
typedef int(WINAPI *ScanDoScanProc)(HWND window);

enum { kScanToFileOrdinal = 4, kScanHasDeviceOrdinal = 26, kScanContinueOrdinal = 35, kScanSelectSourceOrdinal = 38 };

#ifdef __cplusplus
}
#endif
