// The editor's picture rules that need no window: the depth an image is
// edited at, the zoom and place of the enlarged view, the image selector's
// lines and the undo history's slots. Portable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The most images an icon opens with; images past them are kept as read, not
// edited.
const size_t kMaxEditorImages = 150;
// Pictures kept per image: slot 0 is the picture read from the file.
const size_t kUndoSlots = 800;

// The depth an image is edited at, from the colour count it was read with
// (2, 16 or 256 for a palette image, 0 for true colour): 1, 4 or 8 for the
// palette counts; any other image is 24 when it is the file's first such
// image and 32 for every later one. `trueColorSeen` carries that across the
// images of one file.
int EditorDepth(uint32_t colors, bool *trueColorSeen);

// The colour count a palette image of `bits` bits per pixel is read with (2,
// 16 or 256), 0 for any other depth.
uint32_t PaletteColors(uint32_t bits);

// The selector's line for an image: `colorsFormat` ("%d x %d  %d colors")
// with 2, 16 or 256 for depths 1, 4 and 8, `trueColorFormat` ("%d x %d  True
// color %d bits") for 24 and 32; empty for any other depth.
std::string SelectorLine(int width, int height, int depth, const char *colorsFormat, const char *trueColorFormat);

// The format bar's top edge in the frame's client area (under the main tool
// bar), in pixels.
const int kFormatBarTop = 28;

// Where the enlarged view goes in the frame's client area.
struct ViewMetrics {
    int clientWidth, clientHeight;  // the frame's client area
    int statusHeight;               // the status bar's window height
    int formatBarHeight;            // the format bar's height as created
    int borderX, borderY;           // the system's border width and height
};
struct ViewPlacement {
    int zoom;  // screen pixels per image pixel, 1 or more
    int left, top, width, height;
};
// Zoom: zx = (client width - 2 bx - 4) / size; when zx > 0, zy = (client
// height - status height - 2 x format bar height) / size and the zoom is the
// smaller of the two (1 when zy <= 0); else 1. The view is zoom x size plus
// the borders, centred right of the 28-pixel tool strip and between the
// format bar and the status bar. Zoom 1 at the origin for a size of 0.
ViewPlacement PlaceView(const ViewMetrics &m, int size);

// Positions of the grid's one-pixel lines over a view of `extent` pixels at
// `zoom`: zoom - 1, 2 zoom - 1, ... below extent. Used for both axes.
template <typename Visit>
void ForEachGridLine(int zoom, int extent, Visit visit) {
    if (zoom < 2) return;
    for (int at = zoom - 1; at < extent; at += zoom) visit(at);
}

// An image's pictures, newest last: slot 0 holds the picture read from the
// file; `index` is the current one and the slots past it are empty. Handles
// are the caller's (bitmaps in the editor); the history only says which one
// leaves it, so that the caller deletes it.
template <typename Handle>
class PictureHistory {
public:
    size_t index() const { return index_; }
    Handle current() const { return slots_[index_]; }
    Handle slot(size_t i) const { return i < kUndoSlots ? slots_[i] : Handle(); }
    bool canUndo() const { return index_ > 0; }

    // Slot 0, the picture read from the file, with nothing after it.
    void Start(Handle picture) {
        slots_[0] = picture;
        index_ = 0;
    }
    // The picture becomes the current one. When the history is full, the
    // oldest picture after the file's own leaves it (returned), the others
    // move down one slot, and the new one takes the last slot: slot 0 stays
    // the file's picture.
    Handle Push(Handle picture) {
        Handle dropped = Handle();
        if (index_ + 1 >= kUndoSlots) {
            dropped = slots_[1];
            for (size_t i = 1; i + 1 < kUndoSlots; ++i) slots_[i] = slots_[i + 1];
            slots_[kUndoSlots - 1] = picture;
            index_ = kUndoSlots - 1;
            return dropped;
        }
        slots_[++index_] = picture;
        return dropped;
    }
    // Steps back one picture: empties the current slot and returns what it
    // held. Nothing happens (and nothing is returned) at slot 0.
    Handle Undo() {
        if (index_ == 0) return Handle();
        Handle left = slots_[index_];
        slots_[index_--] = Handle();
        return left;
    }
    // Replaces the current picture (the snapshot taken when the selector
    // opens); returns the one it replaces.
    Handle Replace(Handle picture) {
        Handle old = slots_[index_];
        slots_[index_] = picture;
        return old;
    }
    // Empties every slot, calling release on each picture held.
    template <typename Release>
    void Clear(Release release) {
        for (size_t i = 0; i < kUndoSlots; ++i)
            if (slots_[i] != Handle()) release(slots_[i]);
        for (size_t i = 0; i < kUndoSlots; ++i) slots_[i] = Handle();
        index_ = 0;
    }

private:
    Handle slots_[kUndoSlots] = {};
    size_t index_ = 0;
};
