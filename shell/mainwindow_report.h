// What the main window says about a conversion besides the messages of its
// steps: names in the file browser the program cannot open, and the
// pictures it left unconverted rather than write over a file.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct SourceResult;

// True when the browser's folder and selection can be written in the ANSI
// code page, the form every path of the program takes. Otherwise shows a
// stop message owned by `owner` naming the files it cannot open, and
// returns false.
bool SelectionNamesFitCodePage(HWND browser, HWND owner, HINSTANCE texts);

// After a conversion: one information message owned by `owner` listing the
// pictures not converted because their result would have written over a
// picture of the conversion or over a result made before in it. Nothing
// when there are none.
void ReportSourcesKept(HWND owner, HINSTANCE texts, const std::vector<SourceResult> &results);
