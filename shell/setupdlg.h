// The Setup dialog (template 276): default folders, scaling, beep, the viewer
// used after a conversion, tool tips and the zoom grid.
#pragma once
#include <windows.h>

#include "shell/settings.h"

// Modal, owned by `owner`, centred on the screen. OK stores the choices in
// the record and returns 1; Cancel returns 0 and leaves the record as it was.
// Nothing is written to the registry here.
INT_PTR ShowSetupDialog(HWND owner, Settings *settings);

// The dialog procedure, for hosts that create the template themselves.
// WM_INITDIALOG's lParam is the Settings record.
INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
