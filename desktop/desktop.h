// The desktop customization dialogs, each opened modally by a command of the
// main window. Each returns the dialog's result (1 after Apply or Close, 0
// after Cancel) or -1 when the dialog cannot be created. The help file is
// the suite's main help file; the templates come from the program's module.
#pragma once
#include <windows.h>

INT_PTR ShowSystemIconsDialog(HWND owner, const char *helpFile);     // 317, command 257
INT_PTR ShowSystemCursorsDialog(HWND owner, const char *helpFile);   // 343, command 260
INT_PTR ShowFolderIconsDialog(HWND owner, const char *helpFile);     // 433, command 279
INT_PTR ShowMetricsDialog(HWND owner, const char *helpFile);         // 434, command 280
INT_PTR ShowDriveIconsDialog(HWND owner, const char *helpFile);      // 435, command 281
INT_PTR ShowFavoritesDialog(HWND owner, const char *helpFile);       // 437, command 286
