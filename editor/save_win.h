// The icon written back (Save), each image exported as a picture file (Save
// as) and the icon printed on a summary sheet (Print).
#pragma once
#include <windows.h>

#include <string>

#include "editor/picture_win.h"

// Save (40025), Save as (190) and Print (1092), asked from the frame; true
// for those.
bool SaveCommand(HWND frame, int id);

// Writes the icon to path. An image the user changed (or gave a transparent
// colour) is rebuilt from its current picture at its own depth: the picture
// as a packed DIB written to the scratch bitmap and read back by the BMP
// reader, copied unstretched into a DIB section of the image's size and
// colour table, with its mask from the transparent colour and the pixels
// marked transparent. Every other image, a PNG-compressed one among them, and
// the images past the 150th are written as they were stored, with their
// directory entries (a cursor's hot spot).
// The file is replaced only once the new one is whole; false leaves it as it
// was.
bool SaveEditorIcon(EditorIcon *icon, const std::string &path, const std::string &scratch);

// Each image, written as "<base>_<width>_<depth>.<ext>" beside the chosen
// name through the image library: its current picture, or for an image
// without one (past the images the editor opens) its data as stored. The
// number of images written; 0 when the extension is none of the five.
int ExportEditorIcon(EditorIcon *icon, const std::string &chosen, const std::string &tempFolder);

// The summary sheet on a printer's device context: the title, the file, the
// image count, then each image's line with its current picture three times
// its size below it; a picture that would reach past the page goes to a new
// document. False when the printer refuses a document.
bool PrintEditorIcon(HDC printer, const EditorIcon &icon, const std::string &iconPath);
