// The display window's clipboard exchange: Paste Replace, Paste Combine with
// its dialog (189), and the compositor that lays one picture on another.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "contracts/gygraph.h"
#include "display/compose.h"

// The image library's operator for one of ours (kComposeAdd, ...);
// UndefinedCompositeOp for a number we do not name.
CompositeOperator LibraryCompositeOperator(int op);

// Runs the compositor on an argument list (the program name, options, the
// target, picture and mask files, the output file last): the result is
// written to the output as an uncompressed bitmap. 1 on success, 0 when the
// list is refused, a file cannot be read or the result cannot be written.
int RunCompositor(const std::vector<std::string> &args);

// The combine dialog (189) owned by `owner`: false on Cancel, else the
// user's choice. Its Help opens `helpFile` (the main help file; null: none).
bool RunCombineDialog(HWND owner, HINSTANCE instance, const char *helpFile, CombineChoice *choice);

// Paste Replace: a copy of the clipboard's bitmap (the caller owns it), or
// null after telling the user in a message box owned by `owner` that the
// clipboard has none.
HBITMAP PasteFromClipboard(HWND owner, HINSTANCE instance);

// Paste Combine: the combine dialog, then the clipboard's bitmap and
// `picture` (the displayed picture, not taken) are laid on one another as
// the user chose, through "<temp>G2.bmp", "<temp>G.bmp" and `workingFile`.
// The result (the caller owns it), or null on Cancel, an empty clipboard
// (told in a message box) or a failed composition.
HBITMAP CombineWithClipboard(HWND owner, HINSTANCE instance, const char *helpFile, HBITMAP picture,
                             const std::string &workingFile);

// A new bitmap of `size` x `size` holding the top-left corner of `bitmap`
// (what lies beyond a smaller bitmap is black); null for a size below 1.
HBITMAP CropToSquare(HBITMAP bitmap, int size);
