// GYphotograbber.dll: one photo from a camera through the platform's image
// acquisition service (WIA, reached through COM).
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Non-zero when the service is there and lists at least one camera.
int WINAPI is_WIA(void);
// Lets the user take one photo from a camera and stores it in `folder` as a
// .bmp file whose full path goes into `path` (260 characters); `path` stays
// empty when no photo was stored. Returns 1 when a photo was stored.
int WINAPI grab_one_photo(HWND window, const char *folder, char *path);

typedef int(WINAPI *IsWiaProc)(void);
typedef int(WINAPI *GrabOnePhotoProc)(HWND window, const char *folder, char *path);

#ifdef __cplusplus
}
#endif
