// The display window ("GlypheryDisplay", template 388): the images of the
// files a conversion has just written, one file and one image at a time,
// retouched with the effects catalogue and written back on Save.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct Settings;

struct DisplayRequest {
    // The icon or cursor files of the conversion, in its source order.
    std::vector<std::string> files;
    int kind = 1;  // CreateKind of the conversion: 1 icon, 2 cursor, 4 a captured bitmap
    // Kind 4: the capture's 48 x 48 picture "<temp>captemp.bmp" becomes the
    // icon "<targetFolder>\<captureName>.ico" shown (`files` is not read),
    // and Save writes "<targetFolder>\<captureName>.bmp".
    std::string targetFolder;
    std::string captureName;
    // The shared settings: help file, "apply to all the formats" (written
    // back at every effect), the zoom grid. Owned by the caller.
    Settings *settings = nullptr;
};

// Runs the window modally on `owner`; returns when it closes. A request
// whose files cannot be read is refused with a message and opens nothing.
void ShowDisplayWindow(HWND owner, HINSTANCE instance, const DisplayRequest &request);
