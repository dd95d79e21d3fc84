// The editor's two toolbars: the MainToolbar along the top of the frame and
// the ToolBox in its rebar at the left, their tooltips and the brush width
// drop-down.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

// The MainToolbar (control 1032): 16 x 16 images of bitmap 1, the grid and
// palette buttons pressed as the flags say, Undo greyed until there is
// something to undo.
HWND CreateMainToolbar(HINSTANCE instance, HWND frame, bool grid, bool palette);
// The state a check button of the MainToolbar shows for a flag: down
// (pressed, checked, enabled) or plain enabled.
void SetToggleButton(HWND frame, UINT command, bool down);

// The tool rebar at (0, 56) holding the ToolBox (control 1028): 13 buttons of
// bitmap 5, one per row, the Pen down.
HWND CreateToolRebar(HINSTANCE instance, HWND frame);

// Answers a toolbar's tooltip request (TTN_GETDISPINFOA/W) from the editor's
// table; false for any other notification.
bool AnswerTooltip(HINSTANCE instance, NMHDR *hdr);

// Opens the brush-size menu (resource 140) under the drop-down button with
// `size` marked; the chosen command goes to the frame.
void ShowBrushSizeMenu(HINSTANCE instance, HWND frame, const NMTOOLBARA *button, uint32_t size);
// Marks `size` among the five brush size items of a menu (none when out of range).
void MarkBrushSize(HMENU menu, uint32_t size);
