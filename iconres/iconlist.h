// The list-box side of the IconList control (id 1209) that the icon and
// cursor loaders fill: an owner-drawn list box without texts whose entries
// each carry one value, an icon or cursor handle, or (for cursor resources
// of a program) a resource name. Drawing and measuring belong to the
// customization dialogs that host the list; they extend this file.
#pragma once
#include <windows.h>

const int IDC_ICONLIST = 1209;

// Entries the current load has put into the list. The dialogs reset it to 0
// before a load and show it afterwards.
extern int IconListCount;

// Appends an entry carrying value to list 1209 of the dialog. False when the
// list refuses it.
bool AddIconEntry(HWND dialog, LPARAM value);
inline bool AddIconEntry(HWND dialog, HICON handle) { return AddIconEntry(dialog, (LPARAM)handle); }

// Empties list 1209, sets IconListCount to 0, destroys the icons the
// previous file listing extracted (the record store's handles are kept) and
// deletes the cursor files an animated cursor's listing wrote to the
// temporary folder. The dialogs reset the list before each pick and when they
// close.
void ResetIconList(HWND dialog);

// The value of entry index (0 when there is none).
LPARAM IconListValue(HWND dialog, int index);
// The number of entries the list holds.
int IconListEntries(HWND dialog);

// Remembers an icon extracted for the list, so the next reset destroys it.
void IconListTakeOwnership(HICON icon);
