// The printed sheet of common/printsheet.h on a printer: the platform's print
// dialog for the printer, then each page of the sheet as a print document of
// its own. The program draws the pictures; the rest is drawn here.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/printsheet.h"

// The printer the user chooses in the print dialog (through RunPrintDialog),
// as a device context the caller deletes; null when the user cancels.
HDC AskPrinter(HWND owner, HINSTANCE instance);

// The sheet's texts from a program's string table (the title, the two
// labels, the image line's format) and the file's path.
SheetTexts LoadSheetTexts(HINSTANCE instance, UINT title, UINT fileLabel, UINT countLabel, UINT imageFormat,
                          const std::string &path);

// Draws one picture item of the sheet (its place and size in the item).
typedef std::function<void(HDC printer, const SheetItem &item)> SheetPicturePainter;

// Prints the pages, each one a document named `document` of one page: the
// texts in Arial (70 bold, 40 bold, 40 regular), the rules as `rule`
// stretched to their size, the pictures through `paint`. False when the
// printer refuses a document; what was started is ended.
bool PrintSheet(HDC printer, const std::vector<SheetPage> &pages, const std::string &document, HBITMAP rule,
                const SheetPicturePainter &paint);
