// The settings sheet: pages Convert (dialog 705), Display (111) and Launch
// (162). Each page stores its fields into the session's settings when it is
// left; the Display page then has the frame apply them.
#pragma once
#include <windows.h>

#include "editor/startup_win.h"

// The page a menu command opens (0 Convert, 1 Display, 2 Launch), -1 for
// other commands.
int SettingsPageOfCommand(UINT command);

// Modal, titled "GlypheryEdit", opened at `page`.
INT_PTR ShowSettingsSheet(HWND frame, EditorSession *session, int page);
