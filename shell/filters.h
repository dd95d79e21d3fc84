// The file-type filters of the main window's file browser. Portable.
#pragma once
#include <string>
#include <vector>

struct FileFilter {
    std::string description;  // "BMP - Windows Bitmap (bmp, bga, dib)"
    std::string patterns;     // "*.BMP;*.BGA;*.DIB"
};

// Every filter in the browser's order (index 1 first): "All formats", then
// one filter per file type.
const std::vector<FileFilter> &FileFilters();

// The list as text: description and patterns of each filter joined by "|".
std::string FilterListText();
// The platform's form: each description and pattern list ends in a zero and
// the whole list in a second one. "|" separators of `text` become zeros.
std::string FilterListFromText(const std::string &text);

// The browser's 1-based filter index for the stored 0-based setting formatIn.
// A stored value beyond the list starts at "All formats".
unsigned FilterIndexForFormatIn(unsigned formatIn);
// The setting formatIn for the browser's 0-based current filter (a combo box
// selection); a negative selection (none) keeps `current`.
unsigned FormatInForSelection(int selection, unsigned current);
