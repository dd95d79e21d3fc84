// The editor's main frame: class GlypheryEdit, menu 141, its toolbars, status
// bar and palette, the commands of its menus, and the closing question that
// writes the settings back.
#pragma once
#include <windows.h>

#include <string>

#include "editor/startup_win.h"

const char kFrameClass[] = "GlypheryEdit";

// Registers the frame class (its background the colour `fond`).
bool RegisterFrameClass(HINSTANCE instance, const EditorSession &session);
// Creates the frame over the session (which must outlive it), maximized.
HWND CreateFrame(HINSTANCE instance, EditorSession *session);

// The text of the status bar's image count: "%d image" below 2, else "%d images".
std::string ImageCountText(HINSTANCE instance, size_t count);

// Makes the frame show the session's Grid, Palette and fond: the class
// background brush, the toolbar buttons, the palette window, a repaint.
void ApplyDisplaySettings(HWND frame);
