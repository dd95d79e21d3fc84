// The effects catalogue as the display window uses it: its three lists, the
// parameter dialogs (titled "GlypheryEffect") and the argument builder that
// turns the working bitmap into the retouched picture.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "display/effects.h"

// What the window does after the user picked an effect.
enum class EffectChoice {
    kNothing,  // Cancel, or a command that is not an effect
    kApply,    // send command 1436 to the window (apply `code` with `params`)
    kRunNow,   // codes 3, 5 and 6: build at once with p1..p4 = 0 and handle the result
};

// Fills the special effects (1346), colorization (1451) and filters (1452)
// lists of `window` and selects their first entries.
void FillEffectLists(HWND window);

// A command of the effect toolbar (129-133, 406, 407, 410, 1427, 1429), the
// count-colours menu item (265) or an "Apply" button (408, 1117, 1300, whose
// list selection is read from `window`). Runs the code's parameter dialog,
// owned by `window`, where it has one; sets *code and *params as the dialog
// stores them. `displaySize` is the displayed image's width (the border
// dialog's range is 1 to displaySize / 4).
EffectChoice ChooseEffect(HWND window, int command, int displaySize, EffectCode *code, EffectParams *params);

// The argument builder: reads `workingFile` through the image library, runs
// the options of `code` at target width `width` and returns the result as a
// device-dependent bitmap (the caller owns it), or null when the file cannot
// be read or the code yields no picture. Code 3 tells the user the colour
// count in a message box owned by `window` and returns null.
HBITMAP BuildEffect(HWND window, const std::string &workingFile, EffectCode code, int width,
                    const EffectParams &params);

// The call that runs an argument list on a picture: the image library's
// MogrifyImages (pre-processing list operators, then each image). A test may
// install a handler that records the list and hands it on; nullptr restores
// the library's. Returns non-zero on success.
struct _ImageInfo;
struct _Image;
struct _ExceptionInfo;
typedef int (*MogrifyHandler)(struct _ImageInfo *info, int argc, const char **argv, struct _Image **images,
                              struct _ExceptionInfo *exception);
MogrifyHandler SetMogrifyHandler(MogrifyHandler handler);

// Runs the installed MogrifyHandler (the library's unless a test put its own).
int ApplyMogrify(struct _ImageInfo *info, int argc, const char **argv, struct _Image **images,
                 struct _ExceptionInfo *exception);

// What another program (the icon editor) changes in a parameter dialog: it
// centres the dialog on its owner, and may check the values read on OK
// (false keeps the dialog open; the check tells the user why).
struct FormDialogHost {
    bool centreOnOwner;
    bool (*accept)(HWND dialog, int templateId, const EffectParams &params);
};
// Runs the form dialog `templateId` (border, colorize, frame, roll, modulate)
// from the program's resources; on OK, true and *params updated in what the
// dialog owns (the border dialog stores its colour as BorderColor()).
// `workingSize` bounds the border's width to a quarter of it.
bool RunFormDialog(HWND owner, int templateId, int workingSize, EffectParams *params, const FormDialogHost &host);

// The border colour the border dialog (405) stored last, a colour reference;
// kDefaultBorderColor until the user chooses one. The border effect draws in it.
COLORREF BorderColor();

// A device-dependent bitmap of the first picture of `image` (the caller owns
// it), made through an uncompressed "BMP" blob; null when the library cannot
// write it. Changes the info's and the image's format fields.
HBITMAP BitmapFromImage(struct _ImageInfo *info, struct _Image *image, struct _ExceptionInfo *e);

// A device-dependent bitmap of a .bmp file's bytes (the caller owns it), or
// null when the bytes are not a whole uncompressed bitmap.
HBITMAP BitmapFromBmpBytes(const uint8_t *data, size_t size);
