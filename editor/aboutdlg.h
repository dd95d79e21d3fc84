// The editor's About dialog (template 100): its name and version, the
// running system's version and the link to the web site.
#pragma once
#include <windows.h>

const COLORREF kEditorLinkColour = RGB(51, 0, 204);

// Modal, owned by the frame.
INT_PTR ShowEditorAbout(HWND owner);
