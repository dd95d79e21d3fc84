// The system icons dialog: the icons Windows shows for its own objects, read
// from their DefaultIcon keys and the shell's icon table, assigned from any
// file and written back on Apply. Also its properties dialog for one row.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "desktop/location.h"
#include "desktop/pickers.h"

// One catalogue object whose key exists on this system.
struct SystemIconRow {
    CatalogueRoot root;
    char key[512];
    char valueName[80];  // the value Apply writes ("" for the default value)
    PendingLocation pending;
    int entry;          // position in the catalogue
    bool assigned;      // the user gave the row an icon in this opening; only such rows are written
};

// Where the first Apply keeps the values it replaces, one subkey per
// catalogue entry (named by its number, 1 to 42): "Root" (0 classes root,
// 1 local machine), "Key", "Value" and, unless the value was absent,
// "Data" with the old type and bytes. Reset writes them back.
extern const char kSavedIconsKey[];

// Dialog 317; lParam is the main help file (may be null).
INT_PTR CALLBACK SystemIconsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Dialog 318; lParam points at the row to show.
INT_PTR CALLBACK SystemIconPropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The rows of the open dialog (for the properties and for tests).
int SystemIconRowCount();
const SystemIconRow *SystemIconRowAt(int row);
HIMAGELIST SystemIconImages();
