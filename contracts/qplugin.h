// Qplugin.dll: the host of ".8bf" image filter plug-ins, loaded at run time
// by file name. Pictures pass as 24-bit RGB buffers: width x height x 3 bytes,
// rows top to bottom, red, green and blue of each pixel in that order.
#pragma once
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The length of the menu name buffer that Qget_menu_name fills.
#define QPLUGIN_MENU_NAME_LENGTH 260

// Non-zero when the file at `path` is a filter plug-in this host can run;
// then `menuName` (QPLUGIN_MENU_NAME_LENGTH characters) receives its
// category, "/" and its name.
int WINAPI Qget_menu_name(const char *path, char *menuName);
typedef int(WINAPI *QgetMenuNameProc)(const char *path, char *menuName);

// Runs the plug-in at `path` on `input` (inputLength bytes, which must be
// width x height x 3) and writes the result into `output` (as many bytes).
// Non-zero on success; on failure `output` is left untouched.
int WINAPI Qload_plugin(const char *path, const unsigned char *input, DWORD inputLength, unsigned char *output,
                        int width, int height);
typedef int(WINAPI *QloadPluginProc)(const char *path, const unsigned char *input, DWORD inputLength,
                                     unsigned char *output, int width, int height);

#ifdef __cplusplus
}
#endif
