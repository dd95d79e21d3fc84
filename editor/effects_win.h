// The editor's image operations: the option-list effects of the effects
// catalogue run on the current picture (command 1436), the library
// operations with their slider and "More" dialogs, Rotate, Flash and
// Palette, Paste (combining the clipboard picture) and the Plugins menu.
// Each works on a library image made from the current picture and, once
// accepted, pushes one picture onto the current image's history.
#pragma once
#include <windows.h>

#include "contracts/gygraph.h"
#include "conversion/imageowners.h"
#include "display/effects.h"

// A command of the effects, Paste, the selection-only switch, the plug-in
// manager or a plug-in; false for any other.
bool EffectsCommand(HWND frame, int id);
// Builds the Plugins menu (submenu 7 of the frame's menu) from the folders
// of plugins.ini in the install folder.
void BuildEditorPluginsMenu(HWND frame);
// "Apply effects only on selection": the option-list effects then work on
// the last selection frame only.
bool EffectsOnSelectionOnly();

// The option list of `code` (with "-region" and the selection when the flag
// is on) applied to `image`, or its colour-space transform; the result as a
// screen picture (null when the library gives none). The image is changed,
// or replaced by the library's result.
HBITMAP RunEffect(ImageInfo *info, ImagePtr *image, EffectCode code, const EffectParams &params);

// --- The dialogs with a preview (effectdlg_win.cpp) -----------------------

// The slider dialogs (cycle, blur, charcoal, emboss, sharpen, explode,
// median, oil, solarize, swirl, wave, gaussian, shadow), the "More" dialogs
// (contrast, normalize, noise) and Rotate, owned by the frame; false for a
// command that has none of them.
bool RunPreviewDialog(HWND frame, int command);

// What the preview dialogs and Paste share: the current picture as a
// library image, and a result shown (and kept, with push) as the current
// picture. Null or false when the library or the system gives nothing.
Image *CurrentAsImage(ImageInfo *info);
HBITMAP CurrentPicture();
void AcceptPicture(HBITMAP picture);
