// The folder icon dialog (433): a tree of the shell's namespace, and a
// desktop.ini written into the chosen folder that names its icon and tooltip.
// Also the opening step it shares with the drive icon dialog.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "desktop/pickers.h"

// The tree of shell folders, created when the dialog opens.
const int kFolderTreeId = 401;

// The file-system path of a tree node: the shell's own path of the item when
// it has one (exact for folders whose display names differ from their file
// names), else the colon rule on the display path. False for a node without
// one (My Computer, virtual folders).
bool FolderNodePath(HWND tree, HTREEITEM node, std::string *path);

// Lists the icons of the system folder's "Shell32.dll" into the IconList and
// shows that path in the status text (233); returns the path.
std::string ListSystemShellIcons(HWND dialog);

// Browse: the open-file dialog on the icon files; on OK the IconList holds
// the chosen file's icons, picked and listed name it and the status text
// (233) shows it. Cancel changes nothing.
void BrowseIconFile(HWND dialog, PickedFile *picked, std::string *listed);
