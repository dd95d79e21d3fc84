// The About dialog (template 104): the program's description and release, the
// Windows version, and a link to the web site.
#pragma once
#include <windows.h>

#include <string>

const char kSiteAddress[] = "http://www.glyphery.example/";
const COLORREF kLinkColour = RGB(0, 70, 190);

// Modal, owned by `owner`, centred on the screen; returns the button that
// closed it (IDOK or IDCANCEL).
INT_PTR ShowAboutDialog(HWND owner);

// The dialog procedure, for hosts that create the template themselves.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
