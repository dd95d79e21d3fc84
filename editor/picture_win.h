// The editor's picture model: the icon's images as screen bitmaps with their
// undo histories, the canvas the tools paint into, and the operations that
// move pictures between the image library, the canvas and the views.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "contracts/gygraph.h"
#include "editor/picture_rules.h"
#include "editor/startup_win.h"

// Pixels marked transparent by hand ("Select transparent pixels"): a byte a
// pixel, rows from the top, height x height of them; null for none. Shared
// between the pictures that carry the same marks.
typedef std::shared_ptr<const std::vector<uint8_t>> PixelMarks;

struct EditorImage {
    int32_t width = 0, height = 0;  // pixels, as read
    int32_t depth = 0;              // 1, 4, 8, 24 or 32 (EditorDepth)
    // The image's icon data, built when the icon is saved: a bitmap info
    // header with doubled height, colour table, colour bits, mask bits.
    // Null until then; the block is owned here.
    std::vector<uint8_t> iconBlock;
    BITMAPINFOHEADER *header = nullptr;
    uint8_t *colorBits = nullptr;
    uint8_t *maskBits = nullptr;
    PictureHistory<HBITMAP> history;  // the bitmaps are owned here
    // The marks that go with each picture, slot for slot with the history,
    // so that Undo takes back a marking stroke as it does a painted one.
    PictureHistory<PixelMarks> marks;
    int32_t transparent = 0;          // 1 once a transparent colour is chosen
    int32_t transparentX = 0, transparentY = 0;
    // The image as found in the file, which the image library does not keep:
    // its directory entry (a cursor's hot spot in planes / bitCount), its
    // bit count, its data block as stored (PNG bytes for a compressed one).
    IconDirEntry entry = {};
    uint32_t fileBits = 0;
    bool png = false;
    std::vector<uint8_t> fileBlock;
};

struct EditorIcon {
    int32_t count = 0;
    EditorImage images[kMaxEditorImages];
    uint16_t fileType = 0;  // 1 icon, 2 cursor
    // Images of the file past the first kMaxEditorImages: not edited, kept
    // as read (entry and data block) so that a save writes them back.
    std::vector<IconDirEntry> keptEntries;
    std::vector<std::vector<uint8_t>> keptBlocks;
};

// The icon being edited (one for the whole run).
EditorIcon &TheIcon();

// Reads the file's images through the image library into the icon, in file
// order (their pictures, slot 0 of each history) and takes from our parser's
// reading what the library does not keep. False, with the icon emptied, when
// the library reads no image, not one per directory entry, or a picture
// cannot be made.
bool LoadEditorIcon(const IconFileData &file, EditorIcon *icon);
// Deletes every picture of the icon and empties it.
void ReleaseEditorIcon(EditorIcon *icon);

// An 8-bit channel value on the library's scale.
Quantum ByteToQuantum(uint8_t value);

// The image as a screen bitmap, through the library's BMP writer; null when
// the library gives no BMP or memory runs short. The info's format is set.
HBITMAP ImageToBitmap(ImageInfo *info, Image *image);
// The bitmap as a library image of the current image's size (opaque); null
// when the image cannot be allocated or no device context can be had.
Image *BitmapToImage(ImageInfo *info, HBITMAP bitmap);

// The working state of the canvas and its views.
int CurrentImageIndex();
int ActiveSize();     // the current image's height, used for both sides
int WorkingColors();  // 2, 16, 256 or -1 (true colour) for the working size
HDC CanvasDC();       // the colour plane, working size square; null without one
void SetTransparencyView(bool on, COLORREF key);
bool TransparencyViewOn(COLORREF *key);

// The canvas, made once the windows exist: the colour plane of the working
// size, cleared to white. False (and no canvas) when it cannot be made.
bool MakeCanvas(int workingSize, int colors);
void DeleteCanvas();
void ClearCanvas();

// Draws a picture into the canvas (stretched to the active square; reduced
// to black and white when the working size has 2 colours) and refreshes the
// views.
void ShowPicture(HBITMAP picture);
// The picture (owned by the history from now on) becomes the current
// image's current one, with the marks of the one before; the Undo button is
// enabled.
void PushPicture(HBITMAP picture);
// Steps the current image back one picture (nothing at the first one).
void UndoPicture();
// The pixels marked transparent with the current image's current picture
// (null for none), and new ones for it.
PixelMarks CurrentMarks();
void SetCurrentMarks(PixelMarks marks);
// A new screen bitmap of the canvas's active square, once the small view
// shows it; null when no bitmap can be made.
HBITMAP Snapshot();
// Puts a copy of the current picture on the clipboard as CF_BITMAP.
bool CopyPicture(HWND owner);
// The file's last image is the current one when the editor starts.
void StartOnLastImage();
// Makes the given image the current one and shows its current picture.
void SwitchImage(int index);
