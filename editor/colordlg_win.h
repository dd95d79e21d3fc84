// The dialogs that show a colour picked from the WorkArea: "This color is..."
// (432, OK and Copy) and the transparent colour's question (708, Apply and
// Cancel).
#pragma once
#include <windows.h>

#include <string>

// Shows the colour's red, green and blue, its HTML form and a swatch in
// dialog `id`; "&Copy" puts the HTML form on the clipboard. IDOK (OK or
// Apply) or IDCANCEL.
INT_PTR ShowColorDialog(HWND owner, int id, COLORREF colour);
// The HTML form of a colour, "#RRGGBB".
std::string HtmlColor(COLORREF colour);
