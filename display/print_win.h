// Printing an icon file's sheet from the display window: the platform's
// print dialog, then the sheet of common/printsheet.h on its printer.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "display/imageset.h"

// Prints the sheet of `set` (the file at `path`): nothing when the user
// cancels the print dialog; each page that the images overflow is a print
// document of its own, named "(Glyphery)" like the first.
void PrintIconFile(HWND owner, HINSTANCE instance, const DisplayImageSet &set, const std::string &path);

// The print dialog goes through RunPrintDialog (common/seams.h).
